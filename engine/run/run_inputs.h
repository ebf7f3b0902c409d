// The inputs of one run, read once at its start: from the window's fields or
// from the command line's options. Nothing downstream asks the front end again.
// Text is in the system's 8-bit code page, as engine/platform/platform.h
// describes.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "engine/formats/classic/classic_options.h"
#include "engine/formats/format_writer.h"
#include "engine/formats/html5/html5_options.h"
#include "engine/formats/llms/llms_options.h"
#include "engine/formats/sitemap/sitemap_options.h"

namespace zorvitan {

// The format to write, with its own settings: the classic HTML map, a
// complete html5 page, a machine sitemap, or llms.txt.
using FormatOptions = std::variant<ClassicOptions, Html5Options, SitemapOptions, LlmsOptions>;

struct RunInputs : WriterInputs {
  std::string patterns;  // "*.htm; *.html; *.php"
  // Globs over a page's or folder's path in the site, left out of the walk.
  std::vector<std::string> excludes;
  FormatOptions format;
};

}  // namespace zorvitan
