// Windows consoles: text goes in as UTF-16 so Polish letters show whatever the
// console's code page; redirected output is converted to that code page.
#include <windows.h>

#include <string>

#include "cli/console.h"

namespace zorvitan::cli {
namespace {

HANDLE HandleOf(Stream stream) {
  return GetStdHandle(stream == Stream::kOut ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

std::wstring FromAnsi(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int wide_size = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), wide_size);
  return wide;
}

std::string ToCodePage(const std::wstring& wide, UINT code_page) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const int narrow_size =
      WideCharToMultiByte(code_page, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(narrow_size), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), size, narrow.data(), narrow_size, nullptr,
                      nullptr);
  return narrow;
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
  const std::wstring wide = FromAnsi(text);
  if (IsTerminal(stream)) {
    DWORD written;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  const UINT console_code_page = GetConsoleOutputCP();
  WriteBytes(handle, console_code_page != 0 ? ToCodePage(wide, console_code_page) : text);
}

}  // namespace zorvitan::cli
