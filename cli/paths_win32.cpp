#include <windows.h>

#include <string>

#include "cli/paths.h"
#include "platform/win32/wide_path.h"

namespace zorvitan::cli {

namespace {

bool IsFullyQualified(const std::string& path) {
  const bool drive_root = path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
  const bool unc = path.size() >= 2 && (path[0] == '\\' || path[0] == '/') &&
                   (path[1] == '\\' || path[1] == '/');
  return drive_root || unc;
}

// GetFullPathName joins a relative path to the remembered current folder
// without looking at it; a folder removed meanwhile (a network share gone,
// or a folder deleted under Wine) must not be taken for a real one.
bool CurrentFolderExists() {
  char folder[MAX_PATH];
  const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
  if (length == 0 || length >= MAX_PATH) return length != 0;  // too long to check here
  const DWORD attributes = GetFileAttributesA(folder);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool MakeAbsolute(const std::string& path, std::string* absolute) {
  *absolute = path;
  if (path.empty()) return true;
  if (!IsFullyQualified(path) && !CurrentFolderExists()) return false;
  const DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return true;  // the run's own checks answer what cannot be resolved
  std::string full(size, '\0');
  const DWORD length = GetFullPathNameA(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return true;
  full.resize(length);
  *absolute = std::move(full);
  return true;
}

bool PathExists(const std::string& path) {
  return FileAttributesAt(path) != INVALID_FILE_ATTRIBUTES;
}

void RemoveIfEmptyFile(const std::string& path) {
  HANDLE file = CreateFileAt(path, FILE_READ_ATTRIBUTES,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL);
  if (file == INVALID_HANDLE_VALUE) return;  // missing, or a folder
  LARGE_INTEGER size;
  const bool empty = GetFileSizeEx(file, &size) && size.QuadPart == 0;
  CloseHandle(file);
  if (empty) DeleteFileAt(path);
}

}  // namespace zorvitan::cli
