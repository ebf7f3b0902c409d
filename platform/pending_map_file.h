// The temporary map file being written, kept where an interrupt handler can
// reach it: a run stopped by Ctrl-C, SIGTERM or a closed console must not
// leave the unfinished new map behind. One implementation per platform.
#pragma once

#include <string>

namespace zorvitan {

// Remembers the temporary file's path (one at a time: a run writes one map).
void RememberPendingMapFile(const std::string& path);
// Forgets it once it was renamed into place or removed.
void ForgetPendingMapFile();
// Removes the remembered file, if any. Safe in a signal handler or on a
// console control handler's thread: no allocation, no locks.
void RemovePendingMapFile();

}  // namespace zorvitan
