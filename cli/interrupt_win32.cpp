#include <windows.h>

#include <cstddef>
#include <cstdlib>

#include "cli/interrupt.h"
#include "platform/win32/files.h"

namespace zorvitan::cli {
namespace {

// Runs on a thread of its own when Ctrl-C, Ctrl-Break or closing the console
// stops the program: the temporary map goes, then the default handling ends
// the process.
BOOL WINAPI OnConsoleControl(DWORD /*event*/) {
  RemovePendingMapFile();
  return FALSE;
}

}  // namespace

void RemoveTemporaryMapOnInterrupt() { SetConsoleCtrlHandler(OnConsoleControl, TRUE); }

void TestInterruptPoint(std::size_t pages_read) {
  static bool fired = false;
  if (pages_read == 0 || fired) return;
  fired = true;
  const char* signal_number = std::getenv("ZORVITAN_CLI_TEST_SIGNAL");
  if (signal_number == nullptr || *signal_number == '\0') return;
  // What Ctrl-C does, without a console to press it in.
  OnConsoleControl(CTRL_C_EVENT);
  ExitProcess(STATUS_CONTROL_C_EXIT);
}

}  // namespace zorvitan::cli
