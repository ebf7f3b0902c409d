#include <windows.h>

#include <cwchar>

#include "platform/win32/folders.h"
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

bool ListFolderEntries(const std::string& folder, std::vector<DirEntry>* entries) {
  entries->clear();
  // Only the wide search sees every name as it is. A folder the ANSI
  // functions could reach is searched with "*.*" as ever; on the long or
  // marked route "*" matches every name without the old DOS reading of "*.*".
  std::string search = folder + "*.*";
  if (NeedsWidePath(search)) search = folder + "*";
  std::wstring wide_search;
  if (!ToWidePath(search, &wide_search)) return false;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(wide_search.c_str(), &data);
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

}  // namespace zorvitan
