#include "platform/temporary_files.h"

#include <windows.h>

#include <atomic>
#include <cstring>
#include <cwchar>

#include "platform/win32/wide_path.h"

namespace zorvitan {
namespace {

// A list that only grows: the console control handler may walk it at any
// moment, so a node is never freed, only marked dead and reused for a later
// path that fits. Each path is kept in ANSI when an "A" function takes it,
// else wide, in plain buffers; a node is published once its path is complete.
struct PendingFile {
  std::atomic<bool> live{false};
  bool wide = false;
  char* path = nullptr;
  wchar_t* wide_path = nullptr;
  std::size_t capacity = 0;  // characters of the buffer in use
  PendingFile* next = nullptr;
};
std::atomic<PendingFile*> pending_files{nullptr};

bool Fits(const PendingFile& file, bool wide, std::size_t size) {
  return !file.live.load() && file.wide == wide && file.capacity >= size;
}

}  // namespace

void RememberTemporaryFile(const std::string& path) {
  const bool wide = NeedsWidePath(path);
  std::wstring wide_text;
  if (wide && !ToWidePath(path, &wide_text)) return;
  const std::size_t size = (wide ? wide_text.size() : path.size()) + 1;
  PendingFile* file = pending_files.load();
  while (file != nullptr && !Fits(*file, wide, size)) file = file->next;
  const bool added = file == nullptr;
  if (added) {
    file = new PendingFile;
    file->wide = wide;
    file->capacity = size;
    if (wide) {
      file->wide_path = new wchar_t[size];
    } else {
      file->path = new char[size];
    }
  }
  if (wide) {
    std::wmemcpy(file->wide_path, wide_text.c_str(), size);
  } else {
    std::memcpy(file->path, path.c_str(), size);
  }
  file->live.store(true);
  if (added) {
    file->next = pending_files.load();
    pending_files.store(file);
  }
}

void ForgetTemporaryFile(const std::string& path) {
  const bool wide = NeedsWidePath(path);
  std::wstring wide_text;
  if (wide && !ToWidePath(path, &wide_text)) return;
  for (PendingFile* file = pending_files.load(); file != nullptr; file = file->next) {
    if (!file->live.load() || file->wide != wide) continue;
    const bool same = wide ? std::wcscmp(file->wide_path, wide_text.c_str()) == 0
                           : std::strcmp(file->path, path.c_str()) == 0;
    if (same) {
      file->live.store(false);
      return;
    }
  }
}

void RemoveTemporaryFiles() {
  for (PendingFile* file = pending_files.load(); file != nullptr; file = file->next) {
    if (!file->live.exchange(false)) continue;
    if (file->wide) {
      DeleteFileW(file->wide_path);
    } else {
      DeleteFileA(file->path);
    }
  }
}

}  // namespace zorvitan
