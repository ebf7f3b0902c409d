// The inputs of one run, read once at its start: from the window's fields or
// from the command line's options. Nothing downstream asks the front end again.
// Text is in the system's 8-bit code page, as engine/platform/platform.h describes.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/formats/html5/html5_options.h"
#include "engine/formats/sitemap/sitemap_options.h"

namespace zorvitan {

class Clipboard;

struct RunInputs {
  std::string site_folder;
  std::string map_file;
  std::string patterns;  // "*.htm; *.html; *.php"
  bool skip_untitled = false;
  // Where each page's text goes in turn: the window's clipboard, or none.
  Clipboard* clipboard = nullptr;
  // Globs over a page's or folder's path in the site, left out of the walk.
  std::vector<std::string> excludes;
  // The encoding of pages that declare none and are not UTF-8, by its name
  // (engine/text/encoding_labels.h); "" for the default (text_conversion.h).
  std::string page_encoding;
  // A machine sitemap with these settings instead of the HTML map.
  std::optional<SitemapOptions> sitemap;
  // A complete html5 page with these settings instead of the HTML map.
  std::optional<Html5Options> html5;
};

}  // namespace zorvitan
