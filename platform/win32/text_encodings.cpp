// Page text in other encodings, and titles in the map's, through Windows' own
// converters: everything passes through UTF-16.
#include <climits>
#include <string>
#include <string_view>
#include <utility>

#include "engine/text/utf8.h"
#include "platform/win32/code_page.h"
#include "platform/win32/os_platform.h"

namespace zorvitan {
namespace {

// The Windows code page of each encoding browsers know by name.
constexpr std::pair<std::string_view, UINT> kCodePages[] = {
    {"UTF-8", CP_UTF8},        {"IBM866", 866},
    {"ISO-8859-2", 28592},     {"ISO-8859-3", 28593},
    {"ISO-8859-4", 28594},     {"ISO-8859-5", 28595},
    {"ISO-8859-6", 28596},     {"ISO-8859-7", 28597},
    {"ISO-8859-8", 28598},     {"ISO-8859-8-I", 38598},
    {"ISO-8859-10", 28600},    {"ISO-8859-13", 28603},
    {"ISO-8859-14", 28604},    {"ISO-8859-15", 28605},
    {"ISO-8859-16", 28606},    {"KOI8-R", 20866},
    {"KOI8-U", 21866},         {"macintosh", 10000},
    {"windows-874", 874},      {"windows-1250", 1250},
    {"windows-1251", 1251},    {"windows-1252", 1252},
    {"windows-1253", 1253},    {"windows-1254", 1254},
    {"windows-1255", 1255},    {"windows-1256", 1256},
    {"windows-1257", 1257},    {"windows-1258", 1258},
    {"x-mac-cyrillic", 10017}, {"GBK", 936},
    {"gb18030", 54936},        {"Big5", 950},
    {"EUC-JP", 20932},         {"ISO-2022-JP", 50220},
    {"Shift_JIS", 932},        {"EUC-KR", 949},
};

UINT CodePageOf(std::string_view encoding) {
  for (const auto& [name, code_page] : kCodePages) {
    if (name == encoding) return code_page;
  }
  return 0;
}

}  // namespace

std::string Win32Platform::MapEncoding() const {
  const UINT ansi = GetACP();
  for (const auto& [name, code_page] : kCodePages) {
    if (code_page == ansi) return std::string(name);
  }
  return "windows-" + std::to_string(ansi);
}

bool Win32Platform::DecodeText(std::string_view encoding, std::string_view bytes,
                               std::string* utf8) const {
  const UINT code_page = CodePageOf(encoding);
  if (code_page == 0 || !IsValidCodePage(code_page) || bytes.size() > INT_MAX) return false;
  utf8->clear();
  if (bytes.empty()) return true;
  const int size = static_cast<int>(bytes.size());
  // Without MB_ERR_INVALID_CHARS, what the code page does not define comes
  // out as U+FFFD (or its own default), as browsers show it.
  const int wide_size = MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0);
  if (wide_size <= 0) return false;
  std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), size, &wide[0], wide_size);
  *utf8 = FromWide(wide, CP_UTF8);
  return true;
}

bool Win32Platform::EncodeForMap(std::string_view utf8, std::string* encoded) const {
  encoded->clear();
  const std::wstring whole = ToWide(std::string(utf8), CP_UTF8);
  if (whole.empty()) return utf8.empty();
  BOOL lacking = FALSE;
  const std::string at_once = FromWide(whole, CP_ACP, WC_NO_BEST_FIT_CHARS, &lacking);
  if (!at_once.empty() && !lacking) {
    *encoded = at_once;
    return true;
  }
  // A character at a time, so that each one the code page lacks is known:
  // with WC_NO_BEST_FIT_CHARS it is not passed off as a look-alike ("Ω" as
  // "O") but reported, and written as its reference.
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t start = at;
    const char32_t code = NextCodePoint(utf8, &at);
    if (code < 0x80) {
      *encoded += static_cast<char>(code);
      continue;
    }
    const std::wstring wide = ToWide(std::string(utf8.substr(start, at - start)), CP_UTF8);
    const std::string one = FromWide(wide, CP_ACP, WC_NO_BEST_FIT_CHARS, &lacking);
    if (one.empty() || lacking) {
      AppendCharacterReference(code, encoded);
    } else {
      *encoded += one;
    }
  }
  return true;
}

}  // namespace zorvitan
