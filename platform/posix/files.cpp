// Facts about single files, and removing them.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "platform/posix/os_platform.h"

namespace zorvitan {

bool PosixPlatform::ModifiedTime(const std::string& path, std::int64_t* seconds) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return false;
  *seconds = static_cast<std::int64_t>(st.st_mtime);
  return true;
}

bool PosixPlatform::RemoveFile(const std::string& path) {
  struct stat st;
  // A link named like a file of the set is removed itself, never what it leads to.
  if (lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  return unlink(path.c_str()) == 0;
}

}  // namespace zorvitan
