#include <windows.h>

#include <atomic>
#include <string>
#include <utility>

#include "platform/win32/files.h"

namespace zorvitan {
namespace {

// The full path of `path`, resolved against the current folder now, so a
// later change of the current folder does not move the map.
bool FullPath(const std::string& path, std::string* full) {
  const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return false;
  std::string buffer(needed, '\0');
  const DWORD length = GetFullPathNameA(path.c_str(), needed, &buffer[0], nullptr);
  if (length == 0 || length >= needed) return false;
  buffer.resize(length);
  *full = buffer;
  return true;
}

// Windows refuses to write or replace a read-only file; asked explicitly so
// that a process with rights to override it (Wine run by root) refuses too.
bool IsReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// The temporary file of the map being written, where a console control
// handler can reach it.
char pending_path[MAX_PATH * 4];
std::atomic<bool> pending{false};

void RememberPending(const std::string& path) {
  if (path.size() >= sizeof(pending_path)) return;
  path.copy(pending_path, path.size());
  pending_path[path.size()] = '\0';
  pending.store(true);
}

// Creates a temporary file that no other run (of this or another process)
// uses: "<target>.~zv<pid>-<n>" beside the target, so the final move stays
// on one volume.
HANDLE CreateTemporaryBeside(const std::string& target, std::string* temp_path) {
  static std::atomic<unsigned> counter{0};
  const std::string prefix = target + ".~zv" + std::to_string(GetCurrentProcessId()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    *temp_path = prefix + std::to_string(counter++);
    // FILE_SHARE_DELETE lets an interrupt handler delete it while it is open.
    HANDLE file = CreateFileA(temp_path->c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                              CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      RememberPending(*temp_path);
      return file;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  return INVALID_HANDLE_VALUE;
}

class Win32MapOutput : public MapOutput {
 public:
  Win32MapOutput(HANDLE file, std::string temp_path, std::string target_path)
      : file_(file), temp_path_(std::move(temp_path)), target_path_(std::move(target_path)) {}
  Win32MapOutput(const Win32MapOutput&) = delete;
  Win32MapOutput& operator=(const Win32MapOutput&) = delete;

  ~Win32MapOutput() override {
    pending.store(false);
    if (committed_) return;
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    DeleteFileA(temp_path_.c_str());
  }

  bool Write(const char* data, std::size_t size) override {
    if (failed_ || file_ == INVALID_HANDLE_VALUE) return false;
    while (size > 0) {
      const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
      DWORD written = 0;
      if (!WriteFile(file_, data, chunk, &written, nullptr) || written != chunk) {
        failed_ = true;  // a map with a hole must never replace the old one
        return false;
      }
      data += chunk;
      size -= chunk;
    }
    return true;
  }

  bool Commit() override {
    if (committed_ || file_ == INVALID_HANDLE_VALUE) return false;
    pending.store(false);
    const BOOL closed = CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    if (failed_ || !closed || IsReadOnly(target_path_) ||
        !MoveFileExA(temp_path_.c_str(), target_path_.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      DeleteFileA(temp_path_.c_str());
      return false;
    }
    committed_ = true;
    return true;
  }

 private:
  HANDLE file_;
  std::string temp_path_;
  std::string target_path_;
  bool failed_ = false;
  bool committed_ = false;
};

}  // namespace

bool ProbeWritableFile(const std::string& path) {
  if (IsReadOnly(path)) return false;
  // OPEN_ALWAYS creates a missing file and leaves an existing one whole: the
  // old map is replaced only by a finished new one.
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

void RemovePendingMapFile() {
  if (pending.exchange(false)) DeleteFileA(pending_path);
}

std::unique_ptr<MapOutput> BeginMapFile(const std::string& path) {
  std::string target;
  if (path.empty() || !FullPath(path, &target)) return nullptr;
  std::string temp;
  HANDLE file = CreateTemporaryBeside(target, &temp);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32MapOutput>(file, temp, target);
}

}  // namespace zorvitan
