#include <windows.h>

#include "cli/interrupt.h"
#include "platform/temporary_files.h"

namespace zorvitan::cli {
namespace {

// Runs on a thread of its own when Ctrl-C, Ctrl-Break or closing the console
// stops the program: the temporary map goes, then the default handling ends
// the process.
BOOL WINAPI OnConsoleControl(DWORD /*event*/) {
  RemoveTemporaryFiles();
  return FALSE;
}

}  // namespace

void RemoveTemporaryFilesOnInterrupt() { SetConsoleCtrlHandler(OnConsoleControl, TRUE); }

}  // namespace zorvitan::cli
