// The temporary files of the replacements being written, kept where an
// interrupt handler can reach them: a run stopped by Ctrl-C, SIGTERM or a
// closed console must not leave an unfinished new map or sitemap file behind.
// A sitemap set has several at a time.
// One implementation per platform.
#pragma once

#include <string>

namespace zorvitan {

// Remembers a temporary file's path. Called on one thread at a time.
void RememberTemporaryFile(const std::string& path);
// Forgets it once it was renamed into place or removed.
void ForgetTemporaryFile(const std::string& path);
// Removes every remembered file. Safe in a signal handler or on a console
// control handler's thread: no allocation, no locks.
void RemoveTemporaryFiles();

}  // namespace zorvitan
