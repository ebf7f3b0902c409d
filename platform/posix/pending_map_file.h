// The temporary map file being written, kept where a signal handler can reach
// it: a run stopped by Ctrl-C or SIGTERM must not leave the hidden file behind.
#pragma once

namespace zorvitan {

// Remembers the temporary file's path (one at a time: a run writes one map).
void RememberPendingMap(const char* path);
// Forgets it once it was renamed into place or removed.
void ForgetPendingMap();
// Removes the remembered file, if any. Async-signal-safe: no allocation, no
// locks, only unlink().
void RemovePendingMap();

}  // namespace zorvitan
