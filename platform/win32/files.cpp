// Facts about single files, and removing them.
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/win32/os_platform.h"
#include "platform/win32/wide_path.h"

namespace zorvitan {

bool Win32Platform::ModifiedTime(const std::string& path, std::int64_t* seconds) {
  // One call, no handle: asked once per page, beside opening it.
  WIN32_FILE_ATTRIBUTE_DATA data;
  BOOL known;
  if (!NeedsWidePath(path)) {
    known = GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  } else {
    std::wstring wide;
    known =
        ToWidePath(path, &wide) && GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data);
  }
  if (!known) return false;
  const FILETIME& written = data.ftLastWriteTime;
  // 100-nanosecond ticks since 1601-01-01 UTC.
  constexpr std::int64_t kTicksPerSecond = 10000000;
  constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
  const std::uint64_t ticks =
      (static_cast<std::uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
  *seconds = static_cast<std::int64_t>(ticks / kTicksPerSecond) - kSecondsFrom1601To1970;
  return true;
}

bool Win32Platform::RemoveFile(const std::string& path) {
  const DWORD attributes = FileAttributesAt(path);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return false;
  }
  return DeleteFileAt(path) != 0;
}

}  // namespace zorvitan
