// Facts about single files, and removing them.
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/win32/os_platform.h"
#include "platform/win32/wide_path.h"

namespace zorvitan {

bool Win32Platform::ModifiedTime(const std::string& path, std::int64_t* seconds) {
  HANDLE file = CreateFileAt(path, FILE_READ_ATTRIBUTES,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILETIME written;
  const BOOL known = GetFileTime(file, nullptr, nullptr, &written);
  CloseHandle(file);
  if (!known) return false;
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
