#include <windows.h>

#include "cli/interrupt.h"
#include "platform/pending_map_file.h"

namespace zorvitan::cli {
namespace {

// Runs on a thread of its own when Ctrl-C, Ctrl-Break or closing the console
// stops the program: the temporary map goes, then the default handling ends
// the process.
BOOL WINAPI OnConsoleControl(DWORD /*event*/) {
  RemovePendingMapFiles();
  return FALSE;
}

}  // namespace

void RemoveTemporaryMapOnInterrupt() { SetConsoleCtrlHandler(OnConsoleControl, TRUE); }

}  // namespace zorvitan::cli
