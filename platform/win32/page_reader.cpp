#include <windows.h>

#include <climits>

#include "platform/win32/os_platform.h"
#include "platform/win32/wide_path.h"

namespace zorvitan {
namespace {

class Win32PageReader : public PageReader {
 public:
  explicit Win32PageReader(HANDLE file) : file_(file) {}
  ~Win32PageReader() override { CloseHandle(file_); }
  Win32PageReader(const Win32PageReader&) = delete;
  Win32PageReader& operator=(const Win32PageReader&) = delete;

  long Read(char* buffer, std::size_t size) override {
    // `long` is 32 bits on Windows: one call reads at most LONG_MAX bytes.
    const DWORD wanted = size > static_cast<std::size_t>(LONG_MAX) ? static_cast<DWORD>(LONG_MAX)
                                                                   : static_cast<DWORD>(size);
    DWORD read = 0;
    if (!ReadFile(file_, buffer, wanted, &read, nullptr)) return -1;
    return static_cast<long>(read);
  }

 private:
  HANDLE file_;
};

}  // namespace

std::unique_ptr<PageReader> Win32Platform::OpenPage(const std::string& path) {
  // Pages may be open in an editor meanwhile: share everything.
  HANDLE file =
      CreateFileAt(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                   OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32PageReader>(file);
}

}  // namespace zorvitan
