// Folders on Windows: enumeration, identity, case folding and the current
// folder.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "platform/win32/os_platform.h"
#include "platform/win32/wide_path.h"

namespace zorvitan {
namespace {

DirEntry EntryFromFindData(const WIN32_FIND_DATAW& data) {
  DirEntry entry;
  // cFileName is a fixed field; the name ends at its first NUL.
  entry.name = NameFromWide(data.cFileName, wcsnlen(data.cFileName, MAX_PATH));
  const DWORD attributes = data.dwFileAttributes;
  entry.is_folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.is_file = !entry.is_folder && (attributes & FILE_ATTRIBUTE_DEVICE) == 0;
  entry.hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
  entry.system = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0;
  return entry;
}

}  // namespace

bool Win32Platform::ListFolder(const std::string& folder, std::vector<DirEntry>* entries) {
  entries->clear();
  // Only the wide search sees every name as it is. A folder the ANSI
  // functions could reach is searched with "*.*" as ever; on the long or
  // marked route "*" matches every name without the old DOS reading of "*.*".
  std::string search = folder + "*.*";
  if (NeedsWidePath(search)) search = folder + "*";
  std::wstring wide_search;
  if (!ToWidePath(search, &wide_search)) return false;
  WIN32_FIND_DATAW data;
  // No short names (nobody reads them) and bigger fetches: fewer trips to the
  // file system for a folder of many pages.
  HANDLE find = FindFirstFileExW(wide_search.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                 nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) {
    // A folder with no entries at all (a drive root can have no "." or "..")
    // is still a readable folder.
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    const DWORD attributes = FileAttributesAt(folder);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }
  do {
    entries->push_back(EntryFromFindData(data));
  } while (FindNextFileW(find, &data));
  const DWORD error = GetLastError();
  FindClose(find);
  return error == ERROR_NO_MORE_FILES;
}

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

// "volume:indexHigh:indexLow" of the folder, after any junction or directory
// link; false when the file system gives no usable index.
bool Win32Platform::FolderIdentity(const std::string& folder, std::string* identity) {
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

namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

// The drive first, then the folder: a UNC path (no drive letter) fails.
bool Win32Platform::SetCurrentFolder(const std::string& folder) {
  if (folder.size() < 2 || !IsDriveLetter(folder[0]) || folder[1] != ':') return false;
  // "X:" alone switches to that drive (and its remembered folder), as a drive
  // change does at a command prompt; then the folder itself becomes current.
  const std::string drive = folder.substr(0, 2);
  return SetCurrentDirectoryA(drive.c_str()) && SetCurrentDirectoryA(folder.c_str());
}

std::string Win32Platform::FoldCase(const std::string& path) const { return LowerCasePath(path); }

}  // namespace zorvitan
