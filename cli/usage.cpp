#include "cli/usage.h"

#include <string>

#include "cli/translation.h"
#include "zorvitan_version.h"

namespace zorvitan::cli {
namespace {

// The help, a message for each part. Not format strings: "%" stands for itself.
// Raw strings, but for the examples, whose line-end backslashes xgettext would
// take for line splices.
// clang-format off
// xgettext:no-c-format
const char* const kDescription = TranslateLater(R"(Writes a site map of the web site kept in SITE_FOLDER into MAP_FILE: under a
heading for each folder, a link to every page whose file name matches the
patterns, with the page's <title> as the link text. Every folder below
SITE_FOLDER is searched, hidden folders and folders reached through links
included (a folder reached twice is searched once). With --format html5 it
writes a complete page to publish as the site's map, with --format xml or txt
a sitemap for search engines, with --format llms an llms.txt for language
models.

)");
// xgettext:no-c-format
const char* const kArguments = TranslateLater(R"(Arguments:
  SITE_FOLDER            the folder that holds the site's pages
  MAP_FILE               the map file to write; it may lie inside SITE_FOLDER
  A relative SITE_FOLDER or MAP_FILE is taken from the current folder.

)");
// xgettext:no-c-format
const char* const kOptions = TranslateLater(R"(Options:
  -p, --patterns TEXT    file patterns separated by ";"
                         (default "*.htm; *.html; *.php"). They match as on
                         Windows, on every system: "*" matches any run of
                         characters, "?" one character (or none before a dot
                         or at the end); "*.*" matches every name, "*." names
                         without a dot, and "NAME.*" NAME itself too. Letters
                         match in either case; blanks around a pattern do not
                         count
  -s, --skip-untitled    leave out pages without a title; by default they are
                         linked with the text "#bez tytułu#"
  -x, --exclude GLOB     leave out the pages and folders whose path relative to
                         SITE_FOLDER, with "/" between folders, matches GLOB:
                         "*" and "?" match within one name, "**" across folders
                         ("drafts/**", "**/*.bak.html"); an excluded folder is
                         not searched. May be given many times; for every format
  -f, --format FORMAT    html (the default: the map described below), html5 (a
                         complete page to publish), xml (a sitemaps.org
                         sitemap), txt (one URL per line) or llms (llms.txt, the
                         site's index for language models)
  -b, --base-url URL     the site's address, absolute, http:// or https://;
                         needed by xml, txt and llms. A "/" is added when it
                         does not end in one
      --strip-index      write index.htm, index.html and index.php (any case) as
                         their folder's URL, "news/" (xml, txt and llms only)
      --clean-urls       write page.html as "page", as most static hosts serve
                         it; with --strip-index, dir/index.html as "dir/" (xml,
                         txt and llms)
      --lastmod SOURCE   where each page's <lastmod> comes from (xml only): auto
                         (the default) is git when SITE_FOLDER lies in a git
                         work tree with its whole history, else mtime; git is
                         the time of the last commit that touched the page, from
                         one run of the system's git ("git.exe" on Windows), a
                         page changed or untracked in the work tree taking its
                         file time; mtime is the file's modification time; none
                         writes no <lastmod>
      --hreflang WHICH   auto (the default) writes the language versions that
                         a page's head names, <link rel="alternate" hreflang=
                         "..." href="...">, into its <url>, checked (see
                         "Language versions" below); none leaves them out,
                         unchecked (xml only)
      --report FILE      write into FILE a line for each page left out of the
                         sitemap, and for each fault in its language versions:
                         the page's path in the site, a tab, and why (see
                         "Left out" and "Language versions" below); UTF-8,
                         replaced whole (xml, txt and llms)
      --robots-txt       add "Sitemap: URL" (of MAP_FILE, or of each numbered
                         file of a split text sitemap) to the file robots.txt
                         in SITE_FOLDER, creating it when missing; every other
                         byte stays, and a line already there is not added
                         again (xml and txt)
      --page-encoding ENC
                         the encoding of old pages that declare none and are not
                         UTF-8 (default windows-1250; on Windows the system's
                         code page): iso-8859-2, latin2, windows-1251,
                         koi8-r, ...
      --lang CODE        html5: the page's language, such as pl or en-GB
                         (default: the lang of the site's top index page, else
                         the one most pages declare, else the system's, else
                         pl); the page's own words are Polish for pl and
                         English for any other
      --title TEXT       html5: the page's title (default "Mapa serwisu", or
                         "Site map" on a page not in Polish, then " – " and
                         the top index page's title); llms: the site's name
                         (default the top index page's title, else the base
                         URL's host)
      --template FILE    html5: your own page, in UTF-8, filled in: the map goes
                         where {{map}} stands, the title wherever {{title}}
                         does; the built-in stylesheet is left out
      --strip-common-suffix
                         html5: drop a suffix that most titles share, such as
                         " | My Site", from the link texts, and name it on
                         standard error
      --descriptions     html5: show each page's description (its <meta
                         name="description">) under its link
      --optional GLOB    llms: list the pages of the folders whose path matches
                         GLOB (as for --exclude; the folders below them too)
                         under "## Optional", which readers may skip. May be
                         given many times
  -q, --quiet            no progress line
  -h, --help             show this help and exit
  -V, --version          show the version and exit

)");
// xgettext:no-c-format
const char* const kMapFile = TranslateLater(R"(The map file:
  An HTML fragment with CR LF line ends, made to be pasted into a page; it has
  no <html> or <body> of its own. Whenever the folder changes from one page to
  the next there is a heading with the folder's absolute path:
    <h1>/home/me/www/news/</h1>
  and every page has a link line with its path relative to SITE_FOLDER:
    <br><a href="news/2024.htm">News of 2024</a>
  The map is UTF-8 (on Windows: in the system's code page). Each title is
  read in its page's encoding, found as browsers find it: a byte-order mark
  (UTF-8, UTF-16), else <meta charset="..."> or <meta http-equiv=
  "Content-Type" content="...; charset=..."> in the first 1024 bytes, else
  UTF-8 when the title is valid UTF-8, else --page-encoding. It is converted
  into the map's encoding (a character that encoding lacks as "&#N;"); a
  title already in it keeps its bytes. "<" and ">" in a title are written as
  "&lt;" and "&gt;", since browsers show a title's tags as text; character
  references stay as they are; a title that spans lines in the page spans
  the same lines in the map. In a link, "%", "#", "?", '"' and control
  characters of a file name are written as %XX and "&" as "&amp;", so every
  link leads to its page, and so are the bytes of a name that are not UTF-8;
  in a heading, "&", "<" and ">" are written as "&amp;", "&lt;" and "&gt;",
  and bytes that are not UTF-8 as U+FFFD. Pages are
  listed folder by folder: SITE_FOLDER first, then the folders below it, depth
  first, names in alphabetical order (A-Z and a-z alike). Files whose names
  begin with "." are not listed.
  An existing MAP_FILE is replaced only by a complete new map: when anything
  goes wrong, the old map stays as it was.

)");
// xgettext:no-c-format
const char* const kHtml5Page = TranslateLater(R"(The html5 page (--format html5):
  A complete page in UTF-8 to publish as the site's map, also the "multiple
  ways" page of accessibility guidelines: doctype, <html lang>, charset,
  viewport and title, and a small built-in stylesheet that reads well on a
  phone and a desktop, with a dark variant and a print variant; no script.
  The pages are nested lists that follow the folders, in a <nav> labelled
  "Mapa serwisu" ("Site map" on a page not in Polish, see --lang): each
  folder is an item labelled by its index page's title (index.htm,
  index.html or index.php, a link to it) or else by its own name, holding
  its pages and then its folders; no path of your disk is shown. Pages keep
  the order above, a folder's index page first. An untitled page reads as
  its file name (--skip-untitled leaves it out). Titles are read and
  converted to UTF-8 as above, their blanks collapsed. A link to a page
  whose <html lang> names another language than the map's (pl-PL and pl
  are one) carries that lang and hreflang, its description that lang, so a
  screen reader speaks them in their language. A template keeps its own
  <html lang>; when that names another language, the <nav> carries the
  map's.
  Links are URLs relative to SITE_FOLDER, every byte but letters, digits,
  "-", ".", "_", "~" and "/" written as %XX, so the map belongs in
  SITE_FOLDER. Pages marked noindex are listed (the map is for people); the
  map's own file is not. With --strip-common-suffix and a suffix found, the
  default title is the <nav>'s label and that suffix.

)");
// xgettext:no-c-format
const char* const kSitemaps = TranslateLater(R"(Sitemaps (--format xml or txt):
  One URL per page, in the map's order: the base URL and the page's path
  relative to SITE_FOLDER, in UTF-8, every byte but letters, digits, "-",
  ".", "_", "~" and "/" written as %XX. XML adds each page's date
  (<lastmod>, UTC, see --lastmod); a date in the future is not written, and
  is counted. When 100 or more pages are dated and 90 % of them or more fall
  on one day (the time of a checkout, say), standard error warns that search
  engines do not trust such dates. A shallow git clone has no history to
  date pages by: auto and git then take file times and say how to fetch it
  ("git fetch --unshallow").

  Left out, counted on standard error by reason and named by --report with
  the words in parentheses: pages whose head holds <meta name="robots"
  content="noindex"> (or name="googlebot", or content="none"; any case, any
  order of the attributes) ("noindex"); redirect stubs, whose head holds a
  <meta http-equiv="refresh"> that names a URL ("redirect URL", the URL as
  named); pages whose <link rel="canonical" href="..."> in the head,
  resolved against the page's own URL as listed (after --strip-index and
  --clean-urls), is another URL ("canonical URL"; the same URL keeps the
  page); 404.html and 404.htm in SITE_FOLDER itself, the site's error page
  ("error page"); URLs that SITE_FOLDER/robots.txt disallows for user agent
  "*" by RFC 9309 ("robots.txt RULE", the deciding rule): the longest
  matching Allow or Disallow wins, Allow a tie, "*" matches any run of
  characters and a final "$" the end, percent-escapes compare decoded, and
  the URL's whole path from the host is matched; URLs longer than 2,048
  characters ("too long"); pages and folders left out by --exclude
  ("excluded", in the report only); and so are the sitemap's own files. A
  site with nothing left to list gets no sitemap: the old one stays,
  standard error says why, and the exit status is 3.

  Language versions (xml, see --hreflang): a listed page whose head names
  alternates gets them all, itself included and x-default kept, as
  <xhtml:link rel="alternate" hreflang="CODE" href="URL"/> in its <url>
  (the <urlset> then declares xmlns:xhtml); a page in the site is written
  at its URL as listed. A relative href is resolved against the page's URL
  as listed and its <base href>; a URL outside the base URL is written as
  it stands and not checked. Alternates written after the head ended are
  not the page's: search engines do not see them. Search engines ignore a
  whole cluster (the pages that name each other) for one fault, so a
  cluster with a fault has all its alternates left out; its pages stay
  listed. Each fault is counted on standard error and named by --report,
  after the page's path: "hreflang CODE: no return link from PAGE" (PAGE
  does not name the page back); "hreflang: the page does not name itself";
  "hreflang CODE: not a language code, for PAGE" (a code is an ISO 639
  language, then optionally an ISO 15924 script, then optionally an ISO
  3166-1 or UN M.49 region, or x-default); "hreflang CODE: two URLs, PAGE
  and PAGE" (two x-defaults too); "hreflang CODE: PAGE is not listed:
  REASON", REASON as in the report above, "same URL as another page" for
  an index.htm beside an index.html; "hreflang CODE: URL is not in the
  site". The alternates' bytes count towards a file's 50 MB.

  A site of more than 50,000 URLs or 50 MB is split into numbered files
  beside MAP_FILE (sitemap-1.xml, sitemap-2.xml, ...), and an XML MAP_FILE
  then lists them as a sitemap index, each with the newest date of its
  pages, at the base URL plus its path in SITE_FOLDER (MAP_FILE is meant to
  lie in the site; one outside it is taken to be published at the site's
  root). A text sitemap has no index: only the numbered files remain. Every
  file is written before any is put in place (the report and robots.txt
  too), and numbered files of an earlier, larger run are removed.

)");
// xgettext:no-c-format
const char* const kLlms = TranslateLater(R"(llms.txt (--format llms):
  Markdown in UTF-8 with LF line ends, as the llms.txt proposal has it: "# "
  and the site's name (see --title), "> " and the top index page's
  description when it has one, then a "## " section for each folder with
  pages listed: SITE_FOLDER's first, headed by the site's name, then each
  folder headed as the html5 page labels it (its index page's title, else
  its name). Each page is a line "- [title](URL): description", the
  description from its <meta name="description">, when it has one; an
  untitled page reads as its file name (--skip-untitled leaves it out).
  Pages are in the html5 page's order. The URLs, and the pages left out,
  are those of a sitemap with the same options (see "Left out" above, and
  --report). In titles and descriptions, line breaks and runs of blanks
  become one blank, and "\", "`", "*", "_", "[", "]", "<", "#", "~", and "&"
  before a letter, digit or "#", are escaped with "\", so Markdown readers
  give back the text as written; a base URL's parentheses and "&" are
  written as %28, %29 and %26, so nothing ends a link early. A site with
  nothing left to list gets no file: the old one stays, and the exit status
  is 3.

)");
// xgettext:no-c-format
const char* const kMessages = TranslateLater(R"(Messages:
  Messages are in the user's language, chosen as gettext chooses it: from
  LANGUAGE, LC_ALL, LC_MESSAGES and LANG (on Windows, the language of the
  user's Windows), in Polish or else in English. A finished run prints on
  standard output
    Finished writing the site map
    Found: N pages
  where N counts the pages found, those left out by --skip-untitled included
  (and those left out of a sitemap, which standard error counts by reason:
  "Left out pages marked noindex: K", "Left out redirects (meta refresh):
  K", "... with another canonical URL: K", "... 404 error pages: K", "...
  blocked by robots.txt: K", "... URLs longer than 2048 characters: K").
  Refusals and errors go to standard error. When standard error is a
  terminal, a progress line shows what is being done; --quiet turns it off.
  The map, the sitemaps, the report and the exit status are the same in
  every language.

)");
// xgettext:no-c-format
const char* const kExitStatus = TranslateLater(R"(Exit status:
  0  the map was written; folders that could not be listed are named on
     standard error ("Cannot open the folder: ...": their pages are missing),
     and so are pages that could not be read ("Cannot read the file: ...":
     they are linked in the map as pages without a title)
  1  the input was refused: an empty argument, a MAP_FILE that cannot be
     created ("Cannot create the file: ...") or a SITE_FOLDER that cannot be
     opened ("Cannot open the folder: ..."), or a relative path while the
     current folder no longer exists; nothing was changed
  2  wrong usage: an unknown option, format or encoding, not two arguments,
     xml, txt or llms without an absolute http:// or https:// --base-url, an
     option of another format, or a --template that cannot be read, is not
     UTF-8 or has no {{map}}; nothing is written
  3  the map, or a file of the sitemap (the report and robots.txt
     included), could not be written, or a sitemap had no page left to list;
     the old map, or the whole old set of sitemap files, is kept

)");
// xgettext:no-c-format
const char* const kExamples = TranslateLater(
    "Examples:\n"
    "  Map of a site, written into the site itself:\n"
    "    zorvitan-cli ~/www ~/www/mapa.html\n"
    "  Only titled pages, including server-side includes:\n"
    "    zorvitan-cli --skip-untitled --patterns \"*.html; *.shtml\" www www/mapa.html\n"
    "  An old site whose pages in ISO-8859-2 declare no encoding:\n"
    "    zorvitan-cli --page-encoding iso-8859-2 stara-strona stara-strona/mapa.html\n"
    "  A map to publish, in the site's own layout, without the site's name on every\n"
    "  line:\n"
    "    zorvitan-cli -f html5 --template szablon.html --strip-common-suffix \\\n"
    "      www www/mapa.html\n"
    "  In a build script, stopping the build when the map cannot be made:\n"
    "    zorvitan-cli --quiet public public/site-map.html || exit 1\n"
    "  A sitemap for search engines, without the drafts:\n"
    "    zorvitan-cli -f xml -b https://example.com -x \"drafts/**\" www www/map.xml\n"
    "  The same as text, each folder's index page as the folder's URL:\n"
    "    zorvitan-cli -f txt -b https://example.com --strip-index www www/sitemap.txt\n"
    "  URLs as static hosts serve them (about.html as /about, docs/ for its index):\n"
    "    zorvitan-cli -f xml -b https://example.com --clean-urls --strip-index \\\n"
    "      www www/sitemap.xml\n"
    "  The sitemap announced in the site's robots.txt:\n"
    "    zorvitan-cli -f xml -b https://example.com --robots-txt www www/sitemap.xml\n"
    "  Each page dated by its last commit in the site's git repository:\n"
    "    zorvitan-cli -f xml -b https://example.com --lastmod git www www/sitemap.xml\n"
    "  The pages left out of the sitemap, and why, listed in left-out.txt:\n"
    "    zorvitan-cli -f xml -b https://example.com --report left-out.txt \\\n"
    "      www www/sitemap.xml\n"
    "  An index for language models, the old pages under \"## Optional\":\n"
    "    zorvitan-cli -f llms -b https://example.com --optional \"stare/**\" \\\n"
    "      www www/llms.txt\n"
    "  No dates at all, in a build from a shallow clone:\n"
    "    zorvitan-cli -f xml -b https://example.com --lastmod none public \\\n"
    "      public/sitemap.xml\n");
// clang-format on

std::string UsageLine() {
  return Translate("Usage: zorvitan-cli [OPTIONS] SITE_FOLDER MAP_FILE\n");
}

}  // namespace

std::string UsageText() {
  return UsageLine() + Translate("Try 'zorvitan-cli --help' for more information.\n");
}

std::string HelpText() {
  std::string help = UsageLine() + "\n";
  for (const char* part : {kDescription, kArguments, kOptions, kMapFile, kHtml5Page, kSitemaps,
                           kLlms, kMessages, kExitStatus, kExamples}) {
    help += Translate(part);
  }
  return help;
}

const char* const kVersionText = "zorvitan-cli " ZORVITAN_PACKAGE_VERSION "\n";

}  // namespace zorvitan::cli
