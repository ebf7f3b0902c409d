// zorvitan-cli: the site-map generation run, driven from a terminal or script.
#include <string>
#include <vector>

#include "cli/run_command_line.h"
#include "cli/translation.h"

int main(int argc, char** argv) {
  zorvitan::cli::ChooseLanguage();
  return zorvitan::cli::RunCommandLine(std::vector<std::string>(argv + 1, argv + argc));
}
