// Folder enumeration, folder identity and the current folder.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/posix/folder_handle.h"
#include "platform/posix/os_platform.h"

namespace zorvitan {
namespace {

// Fills the folder and file bits from the entry's type, asking stat() only
// where readdir() cannot tell (no d_type, or a link to be followed).
void Classify(int dir_fd, const struct dirent& raw, DirEntry* entry) {
  switch (raw.d_type) {
    case DT_DIR:
      entry->is_folder = true;
      return;
    case DT_REG:
      entry->is_file = true;
      return;
    case DT_LNK:
    case DT_UNKNOWN:
      break;
    default:  // FIFOs, sockets and devices are neither; they must never be opened.
      return;
  }
  struct stat st;
  if (fstatat(dir_fd, raw.d_name, &st, 0) != 0) return;  // a dangling link
  entry->is_folder = S_ISDIR(st.st_mode);
  entry->is_file = S_ISREG(st.st_mode);
}

}  // namespace

bool PosixPlatform::ListFolder(const std::string& folder, std::vector<DirEntry>* entries) {
  entries->clear();
  const int fd = OpenFolder(folder);
  if (fd < 0) return false;
  DIR* dir = fdopendir(fd);
  if (!dir) {
    close(fd);
    return false;
  }
  const int dir_fd = dirfd(dir);
  while (const struct dirent* raw = readdir(dir)) {
    DirEntry entry;
    entry.name = raw->d_name;
    entry.hidden = entry.name[0] == '.';
    Classify(dir_fd, *raw, &entry);
    entries->push_back(std::move(entry));
  }
  closedir(dir);
  // readdir() order depends on the file system (hash order on ext4); sorting by
  // bytes gives the same walk, page list and map on every machine.
  std::sort(entries->begin(), entries->end(),
            [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
  return true;
}

bool PosixPlatform::FolderIdentity(const std::string& folder, std::string* identity) {
  struct stat st;
  if (folder.empty()) return false;
  if (stat(folder.c_str(), &st) != 0) {
    if (errno != ENAMETOOLONG) return false;
    const int fd = OpenFolder(folder);
    if (fd < 0) return false;
    const bool known = fstat(fd, &st) == 0;
    close(fd);
    if (!known) return false;
  }
  *identity = std::to_string(static_cast<unsigned long long>(st.st_dev)) + ":" +
              std::to_string(static_cast<unsigned long long>(st.st_ino));
  return true;
}

bool PosixPlatform::SetCurrentFolder(const std::string& folder) {
  if (folder.empty()) return false;
  if (chdir(folder.c_str()) == 0) return true;
  if (errno != ENAMETOOLONG) return false;
  const int fd = OpenFolder(folder);
  if (fd < 0) return false;
  const bool changed = fchdir(fd) == 0;
  close(fd);
  return changed;
}

}  // namespace zorvitan
