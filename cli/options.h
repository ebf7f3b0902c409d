// The command line of zorvitan-cli, parsed into the inputs of a run.
#pragma once

#include <string>
#include <vector>

#include "engine/run/run_inputs.h"

namespace zorvitan::cli {

struct Options {
  // The arguments, the patterns (kDefaultPatterns unless given), the untitled
  // rule, --exclude globs as given, the sitemap of --format xml or txt, and
  // the page of --format html5.
  RunInputs run;
  bool quiet = false;
  // --template: the file the html5 options' template is read from before the run.
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
