#include <signal.h>

#include "cli/interrupt.h"
#include "platform/temporary_files.h"

namespace zorvitan::cli {
namespace {

constexpr int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP};

// Re-raised rather than _exit(): the shell must see the signal, so that a
// script (or a loop around the program) stops on Ctrl-C too.
void OnInterrupt(int signal_number) {
  RemoveTemporaryFiles();
  raise(signal_number);  // SA_RESETHAND restored the default; delivered on return
}

}  // namespace

void RemoveTemporaryFilesOnInterrupt() {
  struct sigaction action = {};
  action.sa_handler = OnInterrupt;
  action.sa_flags = SA_RESETHAND;
  sigfillset(&action.sa_mask);
  for (const int signal_number : kInterrupts) {
    struct sigaction previous;
    // A signal ignored by whoever started us (nohup, a background job) stays ignored.
    if (sigaction(signal_number, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) {
      continue;
    }
    sigaction(signal_number, &action, nullptr);
  }
}

}  // namespace zorvitan::cli
