// The command line of zorvitan-cli, parsed into the fields of the window.
#pragma once

#include <string>
#include <vector>

#include "engine/html5_options.h"
#include "engine/pattern.h"
#include "engine/sitemap_options.h"

namespace zorvitan::cli {

struct Options {
  std::string site_folder;
  std::string map_file;
  std::string patterns = kDefaultPatterns;
  bool skip_untitled = false;
  bool quiet = false;
  std::vector<std::string> excludes;  // --exclude globs, as given
  // --page-encoding: the encoding of pages that declare none and are not
  // UTF-8, by its name; "" for the default.
  std::string page_encoding;
  // --format xml or txt: a sitemap with these settings instead of the HTML map.
  bool sitemap = false;
  SitemapOptions sitemap_options;
  // --format html5: a complete page with these settings instead of the classic
  // map; --template names the file its template_text is read from.
  bool html5 = false;
  Html5Options html5_options;
  std::string template_file;
};

enum class Action { kRun, kHelp, kVersion, kUsageError };

struct CommandLine {
  Action action = Action::kUsageError;
  Options options;
  std::string error;  // what was wrong, for kUsageError
};

// Parses the arguments after the program name. Options may stand anywhere;
// "--" ends them, and a lone "-" is an argument.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

}  // namespace zorvitan::cli
