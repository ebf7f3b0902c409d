#include "platform/pending_map_file.h"

#include <windows.h>

#include <atomic>

#include "platform/win32/wide_path.h"

namespace zorvitan {
namespace {

// The temporary file of the map being written, where a console control
// handler can reach it: in ANSI when an "A" function takes it, else wide.
char pending_path[MAX_PATH * 4];
wchar_t pending_wide_path[32768];
bool pending_is_wide = false;
std::atomic<bool> pending{false};

}  // namespace

void RememberPendingMapFile(const std::string& path) {
  pending_is_wide = NeedsWidePath(path);
  if (pending_is_wide) {
    std::wstring wide;
    if (!ToWidePath(path, &wide) || wide.size() >= sizeof(pending_wide_path) / sizeof(wchar_t)) {
      return;
    }
    wide.copy(pending_wide_path, wide.size());
    pending_wide_path[wide.size()] = L'\0';
  } else {
    if (path.size() >= sizeof(pending_path)) return;
    path.copy(pending_path, path.size());
    pending_path[path.size()] = '\0';
  }
  pending.store(true);
}

void ForgetPendingMapFile() { pending.store(false); }

void RemovePendingMapFile() {
  if (!pending.exchange(false)) return;
  if (pending_is_wide) {
    DeleteFileW(pending_wide_path);
  } else {
    DeleteFileA(pending_path);
  }
}

}  // namespace zorvitan
