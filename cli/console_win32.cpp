// Windows consoles: text goes in as UTF-16 so Polish letters show whatever the
// console's code page; redirected output is converted to that code page.
#include <windows.h>

#include <string>

#include "cli/console.h"
#include "platform/win32/code_page.h"

namespace zorvitan::cli {
namespace {

HANDLE HandleOf(Stream stream) {
  return GetStdHandle(stream == Stream::kOut ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

void WriteBytes(HANDLE handle, const std::string& bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    DWORD written = 0;
    if (!WriteFile(handle, data, static_cast<DWORD>(left), &written, nullptr) || written == 0) {
      return;
    }
    data += written;
    left -= written;
  }
}

}  // namespace

bool IsTerminal(Stream stream) {
  DWORD mode;
  return GetConsoleMode(HandleOf(stream), &mode) != 0;
}

void WriteText(Stream stream, const std::string& text) {
  const HANDLE handle = HandleOf(stream);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
  const std::wstring wide = ToWide(text, CP_ACP);
  if (IsTerminal(stream)) {
    DWORD written;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  const UINT console_code_page = GetConsoleOutputCP();
  WriteBytes(handle, console_code_page != 0 ? FromWide(wide, console_code_page) : text);
}

}  // namespace zorvitan::cli
