#include "platform/win32/code_page.h"

#include <windows.h>

#include <climits>

namespace zorvitan {
namespace {

// Re-encodes through UTF-16, the only route Windows offers between two
// multibyte code pages.
std::string Convert(const std::string& text, UINT from, UINT to) {
  if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return std::string();
  const int size = static_cast<int>(text.size());
  const int wide_size = MultiByteToWideChar(from, 0, text.data(), size, nullptr, 0);
  if (wide_size <= 0) return std::string();
  std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
  MultiByteToWideChar(from, 0, text.data(), size, &wide[0], wide_size);

  const int out_size =
      WideCharToMultiByte(to, 0, wide.data(), wide_size, nullptr, 0, nullptr, nullptr);
  if (out_size <= 0) return std::string();
  std::string out(static_cast<std::size_t>(out_size), '\0');
  WideCharToMultiByte(to, 0, wide.data(), wide_size, &out[0], out_size, nullptr, nullptr);
  return out;
}

}  // namespace

std::string Utf8ToAnsi(const std::string& utf8) { return Convert(utf8, CP_UTF8, CP_ACP); }

std::string AnsiToUtf8(const std::string& ansi) { return Convert(ansi, CP_ACP, CP_UTF8); }

}  // namespace zorvitan
