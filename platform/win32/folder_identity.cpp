#include <windows.h>

#include <cstdio>

#include "platform/win32/folders.h"
#include "platform/win32/wide_path.h"

namespace zorvitan {
namespace {

struct FileId {
  DWORD volume = 0;
  DWORD index_high = 0;
  DWORD index_low = 0;
};

// Opens the folder itself (backup semantics allow a directory handle); a
// junction or directory link is followed to the folder it leads to.
bool QueryFileId(const std::string& path, FileId* id) {
  HANDLE handle = CreateFileAt(path, FILE_READ_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  if (handle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  const BOOL ok = GetFileInformationByHandle(handle, &info);
  CloseHandle(handle);
  if (!ok || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return false;
  id->volume = info.dwVolumeSerialNumber;
  id->index_high = info.nFileIndexHigh;
  id->index_low = info.nFileIndexLow;
  // A zero index means the file system keeps no file numbers (FAT on some
  // systems, network redirectors): two folders would look alike.
  return id->index_high != 0 || id->index_low != 0;
}

bool SameId(const FileId& a, const FileId& b) {
  return a.volume == b.volume && a.index_high == b.index_high && a.index_low == b.index_low;
}

// Some file systems hand out the same number for every folder. Two folders
// that always exist and always differ tell whether the numbers can be
// trusted; this is asked once per process.
bool IdentitiesAreTrustworthy() {
  static const bool trustworthy = [] {
    char windows[MAX_PATH + 1];
    char temp[MAX_PATH + 1];
    const UINT windows_length = GetWindowsDirectoryA(windows, sizeof(windows));
    const DWORD temp_length = GetTempPathA(sizeof(temp), temp);
    if (windows_length == 0 || windows_length > MAX_PATH || temp_length == 0 ||
        temp_length > MAX_PATH) {
      return false;
    }
    FileId windows_id, temp_id;
    return QueryFileId(windows, &windows_id) && QueryFileId(temp, &temp_id) &&
           !SameId(windows_id, temp_id);
  }();
  return trustworthy;
}

}  // namespace

bool QueryFolderIdentity(const std::string& folder, std::string* identity) {
  if (!IdentitiesAreTrustworthy()) return false;
  FileId id;
  if (!QueryFileId(folder, &id)) return false;
  char text[32];
  std::snprintf(text, sizeof(text), "%08lX:%08lX:%08lX", static_cast<unsigned long>(id.volume),
                static_cast<unsigned long>(id.index_high),
                static_cast<unsigned long>(id.index_low));
  *identity = text;
  return true;
}

}  // namespace zorvitan
