// Replacing a file (the map, or a file of a sitemap). The new file goes to a
// hidden temporary file beside the target and is renamed over it only when
// complete, so a failed run never loses the old one.
#include <errno.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "platform/posix/os_platform.h"
#include "platform/temporary_files.h"

namespace zorvitan {
namespace {

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// A relative map path names a file in the folder current when the map
// begins, even if the current folder changes before the map is committed.
// "" when that folder has been removed.
std::string AbsolutePath(const std::string& path) {
  if (path[0] == '/') return path;
  char* cwd = getcwd(nullptr, 0);
  if (!cwd) return std::string();
  std::string result = std::string(cwd) + "/" + path;
  free(cwd);
  return result;
}

// The file a rename must replace: a link to a map is followed, so the link
// stays and the file it leads to gets the new map.
std::string RealTarget(const std::string& relative_or_absolute) {
  const std::string path = AbsolutePath(relative_or_absolute);
  if (path.empty()) return path;
  struct stat st;
  if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* resolved = realpath(path.c_str(), nullptr);
  if (!resolved) return path;
  std::string result = resolved;
  free(resolved);
  return result;
}

// Names tried for a temporary file before giving up.
constexpr unsigned kTemporaryNameTries = 100;

// "<folder>/.<name>.<suffix>": beside the target, hidden, never matched by the
// map's own patterns while it is written.
std::string TempPathFor(const std::string& target, unsigned attempt) {
  const std::size_t slash = target.rfind('/');
  const std::size_t name_start = slash == std::string::npos ? 0 : slash + 1;
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  const unsigned long long suffix = (static_cast<unsigned long long>(getpid()) << 20) ^
                                    static_cast<unsigned long long>(now.tv_nsec) ^
                                    (attempt * 0x9E3779B1ull);
  return target.substr(0, name_start) + "." + target.substr(name_start) + "." +
         std::to_string(suffix % 1000000000ull) + ".tmp";
}

class PosixFileReplacement : public FileReplacement {
 public:
  PosixFileReplacement(int fd, std::string temp_path, std::string target)
      : fd_(fd), temp_path_(std::move(temp_path)), target_(std::move(target)) {}
  ~PosixFileReplacement() override {
    if (fd_ >= 0) close(fd_);
    if (!committed_) unlink(temp_path_.c_str());
    ForgetTemporaryFile(temp_path_);
  }
  PosixFileReplacement(const PosixFileReplacement&) = delete;
  PosixFileReplacement& operator=(const PosixFileReplacement&) = delete;

  bool Write(const char* data, std::size_t size) override {
    if (failed_ || finished_ || fd_ < 0) return false;
    if (!WriteAll(fd_, data, size)) failed_ = true;
    return !failed_;
  }

  bool Finish() override {
    if (finished_) return !failed_;
    finished_ = true;
    if (failed_ || fd_ < 0) {
      failed_ = true;
      return false;
    }
    const int fd = fd_;
    fd_ = -1;
    // close() is where some file systems (NFS, full quotas) report lost writes.
    if (close(fd) != 0) failed_ = true;
    return !failed_;
  }

  bool Commit() override {
    if (committed_ || !Finish()) return false;
    if (rename(temp_path_.c_str(), target_.c_str()) != 0) return false;
    committed_ = true;
    // Only now: a signal before the rename must still find the temporary.
    ForgetTemporaryFile(temp_path_);
    return true;
  }

 private:
  int fd_;
  std::string temp_path_;
  std::string target_;
  bool failed_ = false;
  bool finished_ = false;
  bool committed_ = false;
};

}  // namespace

bool PosixPlatform::ProbeReplaceable(const std::string& path) {
  if (path.empty()) return false;
  // No O_TRUNC: the old map is only replaced by a complete new one. O_NONBLOCK
  // keeps a FIFO without a reader from blocking the probe.
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
  if (fd < 0) return false;
  struct stat st;
  // Only a regular file can be replaced by a new map; a device or FIFO would be
  // swapped for a plain file by the rename.
  const bool regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  return close(fd) == 0 && regular;
}

std::unique_ptr<FileReplacement> PosixPlatform::BeginReplacing(const std::string& path) {
  if (path.empty()) return nullptr;
  const std::string target = RealTarget(path);
  if (target.empty()) return nullptr;
  struct stat old_map;
  const bool replacing = stat(target.c_str(), &old_map) == 0;
  if (replacing && !S_ISREG(old_map.st_mode)) return nullptr;

  for (unsigned attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
    std::string temp_path = TempPathFor(target, attempt);
    // Signals wait while the file is created and remembered, so an interrupted
    // run can always find what it created.
    sigset_t all, old_mask;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &old_mask);
    // Mode 0666 lets the umask decide, as a plain create of the map would.
    const int fd =
        open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    const int open_error = errno;
    if (fd >= 0) RememberTemporaryFile(temp_path);
    pthread_sigmask(SIG_SETMASK, &old_mask, nullptr);
    if (fd < 0) {
      if (open_error == EEXIST) continue;
      return nullptr;
    }
    // The new map keeps the permissions the user gave the old one.
    if (replacing) fchmod(fd, old_map.st_mode & 07777);
    return std::make_unique<PosixFileReplacement>(fd, std::move(temp_path), target);
  }
  return nullptr;
}

}  // namespace zorvitan
