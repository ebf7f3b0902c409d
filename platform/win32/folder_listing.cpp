#include <windows.h>

#include <cstring>

#include "platform/win32/folders.h"

namespace zorvitan {
namespace {

DirEntry EntryFromFindData(const WIN32_FIND_DATAA& data) {
  DirEntry entry;
  // cFileName is a fixed field; the name ends at its first NUL.
  entry.name.assign(data.cFileName, strnlen(data.cFileName, sizeof(data.cFileName)));
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
  const std::string search = folder + "*.*";
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(search.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) {
    // A folder with no entries at all (a drive root can have no "." or "..")
    // is still a readable folder.
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }
  do {
    entries->push_back(EntryFromFindData(data));
  } while (FindNextFileA(find, &data));
  const DWORD error = GetLastError();
  FindClose(find);
  return error == ERROR_NO_MORE_FILES;
}

}  // namespace zorvitan
