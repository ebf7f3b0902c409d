#include "cli/usage.h"

#include "zorvitan_version.h"

namespace zorvitan::cli {

const char* const kVersionText = "zorvitan-cli " ZORVITAN_VERSION_TEXT "\n";

const char* const kHelpText = R"(Usage: zorvitan-cli [OPTIONS] SITE_FOLDER MAP_FILE

Writes a site map of the web site kept in SITE_FOLDER into MAP_FILE: under a
heading for each folder, a link to every page whose file name matches the
patterns, with the page's <title> as the link text. Every folder below
SITE_FOLDER is searched, hidden folders and folders reached through links
included (a folder reached twice is searched once).

Arguments:
  SITE_FOLDER            the folder that holds the site's pages
  MAP_FILE               the map file to write; it may lie inside SITE_FOLDER
  A relative SITE_FOLDER or MAP_FILE is taken from the current folder.

Options:
  -p, --patterns TEXT    file patterns separated by ";" (default "*.htm; *.html; *.php").
                         They match as on Windows, on every system: "*" matches any
                         run of characters, "?" one character (or none before a dot
                         or at the end); "*.*" matches every name, "*." names
                         without a dot, and "NAME.*" NAME itself too. Letters match
                         in either case; blanks around a pattern do not count
  -s, --skip-untitled    leave out pages without a title; by default they are linked
                         with the text "#bez tytułu#"
  -q, --quiet            no progress line
  -h, --help             show this help and exit
  -V, --version          show the version and exit

The map file:
  An HTML fragment with CR LF line ends, made to be pasted into a page; it has
  no <html> or <body> of its own. Whenever the folder changes from one page to
  the next there is a heading with the folder's absolute path:
    <h1>/home/me/www/news/</h1>
  and every page has a link line with its path relative to SITE_FOLDER:
    <br><a href="news/2024.htm">News of 2024</a>
  Titles are copied byte for byte (no entities are decoded or added); a title
  that spans lines in the page spans the same lines in the map. In a link,
  "%", "#", "?", '"' and control characters of a file name are written as
  %XX and "&" as "&amp;", so every link leads to its page; in a heading,
  "&", "<" and ">" are written as "&amp;", "&lt;" and "&gt;". Pages are
  listed folder by folder: SITE_FOLDER first, then the folders below it, depth
  first, names in alphabetical order (A-Z and a-z alike). Files whose names
  begin with "." are not listed.
  An existing MAP_FILE is replaced only by a complete new map: when anything
  goes wrong, the old map stays as it was.

Messages:
  Messages are in Polish, like those of the Windows program. A finished run
  prints on standard output
    Skończyłem generowanie mapy serwisu
    Znalazłem: N plików
  where N counts the pages found, those left out by --skip-untitled included.
  Refusals and errors go to standard error. When standard error is a
  terminal, a progress line shows what is being done; --quiet turns it off.

Exit status:
  0  the map was written; folders that could not be listed are named on
     standard error ("Nie otworzyć katalogu: ...": their pages are missing),
     and so are pages that could not be read ("Nie mogę odczytać pliku: ...":
     they are linked in the map as pages without a title)
  1  the input was refused: an empty argument, a MAP_FILE that cannot be
     created ("Nie mogę utworzyć pliku: ...") or a SITE_FOLDER that cannot be
     opened ("Nie otworzyć katalogu: ..."), or a relative path while the
     current folder no longer exists; nothing was changed
  2  wrong usage: an unknown option or not two arguments
  3  the map could not be written; the old map is kept

Examples:
  Map of a site, written into the site itself:
    zorvitan-cli ~/www ~/www/mapa.html
  Only titled pages, including server-side includes:
    zorvitan-cli --skip-untitled --patterns "*.html; *.shtml" ~/www ~/www/mapa.html
  In a build script, stopping the build when the map cannot be made:
    zorvitan-cli --quiet public public/site-map.html || exit 1
)";

}  // namespace zorvitan::cli
