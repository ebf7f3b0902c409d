// zorvitan-cli: the site-map generation run, driven from a terminal or script.
#include <string>
#include <vector>

#include "cli/run_command_line.h"

int main(int argc, char** argv) {
  return zorvitan::cli::RunCommandLine(std::vector<std::string>(argv + 1, argv + argc));
}
