// Reading page files.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "platform/posix/folder_handle.h"
#include "platform/posix/os_platform.h"

namespace zorvitan {
namespace {

class PosixPageReader : public PageReader {
 public:
  explicit PosixPageReader(int fd) : fd_(fd) {}
  ~PosixPageReader() override { close(fd_); }
  PosixPageReader(const PosixPageReader&) = delete;
  PosixPageReader& operator=(const PosixPageReader&) = delete;

  long Read(char* buffer, std::size_t size) override {
    for (;;) {
      const ssize_t n = read(fd_, buffer, size);
      if (n >= 0) return static_cast<long>(n);
      if (errno != EINTR) return -1;
    }
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<PageReader> PosixPlatform::OpenPage(const std::string& path) {
  // O_NONBLOCK keeps open() from waiting for a writer should the path be a
  // FIFO; anything but a regular file is refused before it is read. On a
  // regular file the flag changes nothing, so it is left set.
  constexpr int kFlags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  const char* name = nullptr;
  const int folder_fd = FolderOfFile(path, &name);
  const int fd = folder_fd >= 0 ? openat(folder_fd, name, kFlags) : open(path.c_str(), kFlags);
  if (fd < 0) return nullptr;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return nullptr;
  }
  return std::make_unique<PosixPageReader>(fd);
}

}  // namespace zorvitan
