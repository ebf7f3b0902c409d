// The command line of zorvitan-cli, parsed into the fields of the window.
#pragma once

#include <string>
#include <vector>

#include "engine/pattern.h"
#include "engine/sitemap/sitemap_options.h"

namespace zorvitan::cli {

struct Options {
  std::string site_folder;
  std::string map_file;
  std::string patterns = kDefaultPatterns;
  bool skip_untitled = false;
  bool quiet = false;
  std::vector<std::string> excludes;  // --exclude globs, as given
  // --format xml or txt: a sitemap with these settings instead of the HTML map.
  bool sitemap = false;
  SitemapOptions sitemap_options;
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
