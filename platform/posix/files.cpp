// Facts about single files, and removing them.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "platform/posix/folder_handle.h"
#include "platform/posix/os_platform.h"

namespace zorvitan {

bool PosixPlatform::ModifiedTime(const std::string& path, std::int64_t* seconds) {
  struct stat st;
  // Asked page after page, folder by folder, like the pages themselves.
  const char* name = nullptr;
  const int folder_fd = FolderOfFile(path, &name);
  if (folder_fd >= 0 ? fstatat(folder_fd, name, &st, 0) != 0 : stat(path.c_str(), &st) != 0) {
    return false;
  }
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
