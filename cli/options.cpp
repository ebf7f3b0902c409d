#include "cli/options.h"

#include <cstddef>
#include <string>
#include <vector>

namespace zorvitan::cli {
namespace {

CommandLine UsageError(std::string error) {
  CommandLine result;
  result.error = std::move(error);
  return result;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine result;
  std::vector<std::string> positional;
  bool options_ended = false;

  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      positional.push_back(arg);
    } else if (arg == "--") {
      options_ended = true;
    } else if (arg.compare(0, 2, "--") == 0) {
      const std::size_t equals = arg.find('=');
      const std::string name = arg.substr(0, equals);
      const bool has_value = equals != std::string::npos;
      if (name == "--patterns") {
        if (has_value) {
          result.options.patterns = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
          result.options.patterns = args[++i];
        } else {
          return UsageError("option '--patterns' needs a value");
        }
        continue;
      }
      if (has_value) return UsageError("option '" + name + "' takes no value");
      if (name == "--skip-untitled") {
        result.options.skip_untitled = true;
      } else if (name == "--quiet") {
        result.options.quiet = true;
      } else if (name == "--help") {
        result.action = Action::kHelp;
        return result;
      } else if (name == "--version") {
        result.action = Action::kVersion;
        return result;
      } else {
        return UsageError("unknown option '" + name + "'");
      }
    } else {
      // A group of short options: "-sq", "-p*.htm", "-sp" "*.htm".
      for (std::size_t k = 1; k < arg.size(); ++k) {
        const char letter = arg[k];
        if (letter == 's') {
          result.options.skip_untitled = true;
        } else if (letter == 'q') {
          result.options.quiet = true;
        } else if (letter == 'h') {
          result.action = Action::kHelp;
          return result;
        } else if (letter == 'V') {
          result.action = Action::kVersion;
          return result;
        } else if (letter == 'p') {
          if (k + 1 < arg.size()) {
            result.options.patterns = arg.substr(k + 1);
          } else if (i + 1 < args.size()) {
            result.options.patterns = args[++i];
          } else {
            return UsageError("option '-p' needs a value");
          }
          break;
        } else {
          return UsageError(std::string("unknown option '-") + letter + "'");
        }
      }
    }
  }

  if (positional.size() != 2) {
    return UsageError(positional.size() < 2 ? "missing SITE_FOLDER or MAP_FILE"
                                            : "too many arguments");
  }
  result.options.site_folder = positional[0];
  result.options.map_file = positional[1];
  result.action = Action::kRun;
  return result;
}

}  // namespace zorvitan::cli
