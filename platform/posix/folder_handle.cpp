#include "platform/posix/folder_handle.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <string>
#include <string_view>

namespace zorvitan {
namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// Walks `path` from the root (or the current folder) in pieces shorter than
// PATH_MAX, each cut at a "/".
int OpenInPieces(const std::string& path) {
  std::size_t start = 0;
  int fd = path[0] == '/' ? open("/", kFolderFlags) : open(".", kFolderFlags);
  while (fd >= 0) {
    while (start < path.size() && path[start] == '/') ++start;
    if (start == path.size()) return fd;
    std::size_t end = path.size();
    if (end - start >= PATH_MAX) {
      end = path.rfind('/', start + PATH_MAX - 1);
      if (end == std::string::npos || end <= start) {  // one name longer than any path
        close(fd);
        errno = ENAMETOOLONG;
        return -1;
      }
    }
    const int next = openat(fd, path.substr(start, end - start).c_str(), kFolderFlags);
    const int saved = errno;
    close(fd);
    errno = saved;
    fd = next;
    start = end;
  }
  return -1;
}

// Pages may be read on two threads at once, so each thread keeps its own folder.
struct FolderCache {
  std::string folder;
  int fd = -1;
  ~FolderCache() {
    if (fd >= 0) close(fd);
  }
};
thread_local FolderCache folder_cache;

}  // namespace

int OpenFolder(const std::string& path) {
  if (path.empty()) {
    errno = ENOENT;
    return -1;
  }
  const int fd = open(path.c_str(), kFolderFlags);
  if (fd >= 0 || errno != ENAMETOOLONG) return fd;
  return OpenInPieces(path);
}

int FolderOfFile(const std::string& path, const char** name) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos || slash == 0 || slash + 1 == path.size()) return -1;
  *name = path.c_str() + slash + 1;
  const std::string_view wanted = std::string_view(path).substr(0, slash);
  FolderCache& cache = folder_cache;
  if (cache.fd >= 0 && wanted == cache.folder) return cache.fd;
  if (cache.fd >= 0) close(cache.fd);
  cache.folder.assign(wanted.data(), wanted.size());
  cache.fd = OpenFolder(cache.folder);
  return cache.fd;
}

}  // namespace zorvitan
