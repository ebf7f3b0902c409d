#include "platform/win32/code_page.h"

#include <climits>

namespace zorvitan {

std::wstring ToWide(const std::string& text, UINT code_page) {
  if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int wide_size = MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0);
  if (wide_size <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), size, &wide[0], wide_size);
  return wide;
}

std::string FromWide(const std::wstring& wide, UINT code_page, DWORD flags, BOOL* lacking) {
  if (lacking != nullptr) *lacking = FALSE;
  if (wide.empty() || wide.size() > static_cast<std::size_t>(INT_MAX)) return std::string();
  const int size = static_cast<int>(wide.size());
  const int out_size =
      WideCharToMultiByte(code_page, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (out_size <= 0) return std::string();
  std::string out(static_cast<std::size_t>(out_size), '\0');
  // UTF-8 takes no "used default" flag: it holds every character.
  WideCharToMultiByte(code_page, flags, wide.data(), size, &out[0], out_size, nullptr,
                      code_page == CP_UTF8 ? nullptr : lacking);
  return out;
}

// Re-encoded through UTF-16, the only route Windows offers between two
// multibyte code pages.
std::string Utf8ToAnsi(const std::string& utf8) { return FromWide(ToWide(utf8, CP_UTF8), CP_ACP); }

std::string AnsiToUtf8(const std::string& ansi) { return FromWide(ToWide(ansi, CP_ACP), CP_UTF8); }

}  // namespace zorvitan
