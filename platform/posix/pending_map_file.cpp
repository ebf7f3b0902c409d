#include "platform/pending_map_file.h"

#include <limits.h>
#include <string.h>
#include <unistd.h>

#include <atomic>

namespace zorvitan {
namespace {

// A fixed buffer, not a std::string: the handler may run in the middle of any
// allocation. The flag is published after the path is complete.
char pending_path[PATH_MAX];
std::atomic<bool> pending{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is read in a signal handler");

}  // namespace

void RememberPendingMapFile(const std::string& path) {
  pending.store(false);
  const size_t length = path.size();
  // A longer path could not have been created in the first place.
  if (length >= sizeof pending_path) return;
  memcpy(pending_path, path.c_str(), length + 1);
  pending.store(true);
}

void ForgetPendingMapFile() { pending.store(false); }

void RemovePendingMapFile() {
  if (pending.exchange(false)) unlink(pending_path);
}

}  // namespace zorvitan
