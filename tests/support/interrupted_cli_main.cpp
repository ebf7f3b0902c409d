// zorvitan-cli, stopped once the first pages are read, as Ctrl-C or a signal
// would stop it then: the map is half written.
//   zorvitan-cli-interrupted SIGNAL_NUMBER ARGUMENTS...
// Natively the signal goes through the program's own handlers. On Windows the
// program presses Ctrl-C on a console of its own (SIGNAL_NUMBER is not used):
// the console runs the program's console control handler on a thread of its
// own while the run waits, as a run busy writing would. A Ctrl-C that does not
// end the process lets the run go on and replace the map.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/run_command_line.h"

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const int signal_number = std::atoi(argv[1]);
  bool fired = false;
  auto interrupt = [&](std::size_t pages_read) {
    if (pages_read == 0 || fired) return;
    fired = true;
#ifdef _WIN32
    (void)signal_number;
    // Alone on a new console, so the Ctrl-C reaches this process only; and
    // Ctrl-C handling on, which a process started in a new group has off.
    FreeConsole();
    if (!AllocConsole() || !SetConsoleCtrlHandler(nullptr, FALSE) ||
        !GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) {
      std::fprintf(stderr, "no Ctrl-C was sent: error %lu\n", GetLastError());
      return;
    }
    for (int wait = 0; wait < 100; ++wait) Sleep(100);
    std::fprintf(stderr, "Ctrl-C did not end the process within 10 s\n");
#else
    std::raise(signal_number);
#endif
  };
  return zorvitan::cli::RunCommandLine(std::vector<std::string>(argv + 2, argv + argc), interrupt);
}
