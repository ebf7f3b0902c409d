#include "platform/temporary_files.h"

#include <string.h>
#include <unistd.h>

#include <atomic>

namespace zorvitan {
namespace {

// A list that only grows: a handler may walk it at any moment, so a node is
// never freed, only marked dead and reused for a later path that fits. The
// path is a plain buffer, not a std::string, and a node is published only
// once its path is complete.
struct PendingFile {
  std::atomic<bool> live{false};
  char* path = nullptr;
  size_t capacity = 0;
  PendingFile* next = nullptr;
};
std::atomic<PendingFile*> pending_files{nullptr};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is read in a signal handler");
static_assert(std::atomic<PendingFile*>::is_always_lock_free, "the list is read in a handler");

}  // namespace

void RememberTemporaryFile(const std::string& path) {
  const size_t size = path.size() + 1;
  for (PendingFile* file = pending_files.load(); file != nullptr; file = file->next) {
    if (!file->live.load() && file->capacity >= size) {
      memcpy(file->path, path.c_str(), size);
      file->live.store(true);
      return;
    }
  }
  auto* file = new PendingFile;
  file->path = new char[size];
  file->capacity = size;
  memcpy(file->path, path.c_str(), size);
  file->live.store(true);
  file->next = pending_files.load();
  pending_files.store(file);
}

void ForgetTemporaryFile(const std::string& path) {
  for (PendingFile* file = pending_files.load(); file != nullptr; file = file->next) {
    if (file->live.load() && strcmp(file->path, path.c_str()) == 0) {
      file->live.store(false);
      return;
    }
  }
}

void RemoveTemporaryFiles() {
  for (PendingFile* file = pending_files.load(); file != nullptr; file = file->next) {
    if (file->live.exchange(false)) unlink(file->path);
  }
}

}  // namespace zorvitan
