#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <utility>

#include "platform/temporary_files.h"
#include "platform/win32/os_platform.h"
#include "platform/win32/wide_path.h"

namespace zorvitan {
namespace {

// Windows refuses to write or replace a read-only file; asked explicitly so
// that a process with rights to override it (Wine run by root) refuses too.
bool IsReadOnly(const std::string& path) {
  const DWORD attributes = FileAttributesAt(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Names tried for a temporary file before giving up.
constexpr int kTemporaryNameTries = 100;
// The most one WriteFile call takes (its size is a DWORD).
constexpr DWORD kMostPerWrite = 1u << 30;

// Creates a temporary file that no other run (of this or another process)
// uses: "<target>.~zv<pid>-<n>" beside the target, so the final move stays
// on one volume.
HANDLE CreateTemporaryBeside(const std::string& target, std::string* temp_path) {
  static std::atomic<unsigned> counter{0};
  const std::string prefix = target + ".~zv" + std::to_string(GetCurrentProcessId()) + "-";
  for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
    *temp_path = prefix + std::to_string(counter++);
    // FILE_SHARE_DELETE lets an interrupt handler delete it while it is open.
    HANDLE file = CreateFileAt(*temp_path, GENERIC_WRITE, FILE_SHARE_DELETE, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN);
    if (file != INVALID_HANDLE_VALUE) {
      RememberTemporaryFile(*temp_path);
      return file;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  return INVALID_HANDLE_VALUE;
}

class Win32FileReplacement : public FileReplacement {
 public:
  Win32FileReplacement(HANDLE file, std::string temp_path, std::string target_path)
      : file_(file), temp_path_(std::move(temp_path)), target_path_(std::move(target_path)) {}
  Win32FileReplacement(const Win32FileReplacement&) = delete;
  Win32FileReplacement& operator=(const Win32FileReplacement&) = delete;

  ~Win32FileReplacement() override {
    if (!committed_) {
      if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
      DeleteFileAt(temp_path_);
    }
    ForgetTemporaryFile(temp_path_);
  }

  bool Write(const char* data, std::size_t size) override {
    if (failed_ || file_ == INVALID_HANDLE_VALUE) return false;
    while (size > 0) {
      const DWORD chunk = size > kMostPerWrite ? kMostPerWrite : static_cast<DWORD>(size);
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

  bool Finish() override {
    if (file_ == INVALID_HANDLE_VALUE) return finished_ && !failed_;
    const BOOL closed = CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    finished_ = true;
    if (!closed) failed_ = true;
    return !failed_;
  }

  bool Commit() override {
    if (committed_ || !Finish()) return false;
    if (IsReadOnly(target_path_) ||
        !MoveFileAt(temp_path_, target_path_, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return false;  // the destructor removes the temporary
    }
    committed_ = true;
    // Only now: an interrupt before the move must still find the temporary.
    ForgetTemporaryFile(temp_path_);
    return true;
  }

 private:
  HANDLE file_;
  std::string temp_path_;
  std::string target_path_;
  bool failed_ = false;
  bool finished_ = false;
  bool committed_ = false;
};

}  // namespace

bool Win32Platform::ProbeReplaceable(const std::string& path) {
  if (IsReadOnly(path)) return false;
  // OPEN_ALWAYS creates a missing file and leaves an existing one whole: the
  // old map is replaced only by a finished new one.
  HANDLE file = CreateFileAt(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

std::unique_ptr<FileReplacement> Win32Platform::BeginReplacing(const std::string& path) {
  std::string target;
  // Resolved against the current folder now, so a later change of the
  // current folder does not move the map.
  if (path.empty() || !FullPathAt(path, &target)) return nullptr;
  std::string temp;
  HANDLE file = CreateTemporaryBeside(target, &temp);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32FileReplacement>(file, temp, target);
}

}  // namespace zorvitan
