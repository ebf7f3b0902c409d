// Ctrl-C, SIGTERM and a closed terminal during a run: the old map is safe
// anyway (it is replaced only by a complete new one); what must not stay is the
// hidden temporary file of the unfinished new map.
#pragma once

#include <cstddef>

namespace zorvitan::cli {

// From here on, an interrupting signal removes the temporary map file before
// the program ends the way the signal would have ended it.
void RemoveTemporaryMapOnInterrupt();

// Test hook: when ZORVITAN_CLI_TEST_SIGNAL names a signal number, the program
// sends itself that signal at the first report of pages read (the first page,
// or the first batch of pages), so tests can interrupt a run at a known point.
void TestInterruptPoint(std::size_t pages_read);

}  // namespace zorvitan::cli
