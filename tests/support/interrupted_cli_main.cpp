// zorvitan-cli, stopped once the first pages are read, as Ctrl-C or a signal
// would stop it then: the map is half written.
//   zorvitan-cli-interrupted SIGNAL_NUMBER ARGUMENTS...
// Natively the signal goes through the program's own handlers. On Windows the
// program does what its console control handler does, then ends as Ctrl-C
// ends it.
#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/run_command_line.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/temporary_files.h"
#endif

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const int signal_number = std::atoi(argv[1]);
  bool fired = false;
  auto interrupt = [&](std::size_t pages_read) {
    if (pages_read == 0 || fired) return;
    fired = true;
#ifdef _WIN32
    zorvitan::RemoveTemporaryFiles();
    ExitProcess(STATUS_CONTROL_C_EXIT);
#else
    std::raise(signal_number);
#endif
  };
  return zorvitan::cli::RunCommandLine(std::vector<std::string>(argv + 2, argv + argc), interrupt);
}
