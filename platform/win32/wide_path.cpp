#include "platform/win32/wide_path.h"

#include <climits>
#include <cwchar>
#include <string_view>

#include "engine/text/foreign_names.h"

namespace zorvitan {
namespace {

bool HasMarkedName(const std::string& path) {
  bool marked = false;
  ForEachMarkedName(
      path, true, [](std::string_view) {}, [&marked](std::string_view) { marked = true; });
  return marked;
}

bool AppendWide(UINT code_page, DWORD flags, std::string_view text, std::wstring* out) {
  if (text.empty()) return true;
  if (text.size() > static_cast<std::size_t>(INT_MAX)) return false;
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(code_page, flags, text.data(), size, nullptr, 0);
  if (length <= 0) return false;
  const std::size_t old_size = out->size();
  out->resize(old_size + static_cast<std::size_t>(length));
  return MultiByteToWideChar(code_page, flags, text.data(), size, &(*out)[old_size], length) ==
         length;
}

std::string Utf8FromWide(const wchar_t* text, std::size_t length) {
  if (length == 0 || length > static_cast<std::size_t>(INT_MAX)) return std::string();
  const int size = static_cast<int>(length);
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, size, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string utf8(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, size, &utf8[0], bytes, nullptr, nullptr);
  return utf8;
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix) {
  return text.compare(0, wcslen(prefix), prefix) == 0;
}

// "\\?\" and "\\.\" paths go to the system as they are.
bool HasDevicePrefix(const std::wstring& path) {
  return StartsWith(path, L"\\\\?\\") || StartsWith(path, L"\\\\.\\");
}

bool WidenPath(const std::string& path, std::wstring* wide) {
  wide->clear();
  bool widened = true;
  ForEachMarkedName(
      path, true,
      [&](std::string_view plain) { widened = widened && AppendWide(CP_ACP, 0, plain, wide); },
      [&](std::string_view utf8) {
        widened = widened && !utf8.empty() && AppendWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, wide);
      });
  return widened;
}

bool WideFullPath(const std::wstring& path, std::wstring* full) {
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return false;
  full->assign(needed, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), needed, &(*full)[0], nullptr);
  if (length == 0 || length >= needed) return false;
  full->resize(length);
  return true;
}

// Name by name, so each name keeps the ANSI bytes when it has them.
std::string PathFromWide(const std::wstring& path) {
  std::string narrow;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find_first_of(L"\\/", start);
    if (end == std::wstring::npos) end = path.size();
    narrow += NameFromWide(path.data() + start, end - start);
    if (end < path.size()) narrow += static_cast<char>(path[end]);
    start = end + 1;
  }
  return narrow;
}

}  // namespace

std::string NameFromWide(const wchar_t* name, std::size_t length) {
  if (length == 0) return std::string();
  // Most names are ASCII, which every ANSI code page holds as it is.
  std::string ascii(length, '\0');
  std::size_t i = 0;
  while (i < length && name[i] < 0x80) {
    ascii[i] = static_cast<char>(name[i]);
    ++i;
  }
  if (i == length) return ascii;
  // A name has at most MAX_PATH characters: 2 bytes each in a double-byte
  // code page, 3 in UTF-8.
  char buffer[MAX_PATH * 4];
  if (length <= MAX_PATH) {
    // UTF-8 as the ANSI code page holds every name, and refuses the flag.
    const bool utf8 = GetACP() == CP_UTF8;
    BOOL used_default = FALSE;
    const int size =
        WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, name, static_cast<int>(length),
                            buffer, sizeof(buffer), nullptr, utf8 ? nullptr : &used_default);
    if (size > 0 && !used_default) return std::string(buffer, static_cast<std::size_t>(size));
  }
  return kForeignNameMark + Utf8FromWide(name, length);
}

bool NeedsWidePath(const std::string& path) {
  return path.size() >= MAX_PATH || HasMarkedName(path);
}

bool ToWidePath(const std::string& path, std::wstring* wide) {
  if (!WidenPath(path, wide)) return false;
  if (wide->size() < MAX_PATH || HasDevicePrefix(*wide)) return true;
  // The prefix also turns off the system's own clean-up of the path, so the
  // path is made absolute, with backslashes and without "." and "..", first.
  std::wstring full;
  if (!WideFullPath(*wide, &full)) return false;
  if (HasDevicePrefix(full)) {
    *wide = full;
  } else if (StartsWith(full, L"\\\\")) {
    *wide = L"\\\\?\\UNC\\" + full.substr(2);
  } else {
    *wide = L"\\\\?\\" + full;
  }
  return true;
}

std::string LowerCasePath(const std::string& path) {
  std::string folded;
  ForEachMarkedName(
      path, true,
      [&folded](std::string_view plain) {
        const std::size_t at = folded.size();
        folded += plain;
        if (!plain.empty()) CharLowerBuffA(&folded[at], static_cast<DWORD>(plain.size()));
      },
      [&folded](std::string_view utf8) {
        std::wstring wide;
        folded += kForeignNameMark;
        if (AppendWide(CP_UTF8, 0, utf8, &wide) && !wide.empty()) {
          CharLowerBuffW(&wide[0], static_cast<DWORD>(wide.size()));
          folded += Utf8FromWide(wide.data(), wide.size());
        } else {
          folded += utf8;
        }
      });
  return folded;
}

HANDLE CreateFileAt(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                    DWORD flags) {
  if (!NeedsWidePath(path)) {
    return CreateFileA(path.c_str(), access, share, nullptr, disposition, flags, nullptr);
  }
  std::wstring wide;
  if (!ToWidePath(path, &wide)) {
    SetLastError(ERROR_INVALID_NAME);
    return INVALID_HANDLE_VALUE;
  }
  return CreateFileW(wide.c_str(), access, share, nullptr, disposition, flags, nullptr);
}

DWORD FileAttributesAt(const std::string& path) {
  if (!NeedsWidePath(path)) return GetFileAttributesA(path.c_str());
  std::wstring wide;
  if (!ToWidePath(path, &wide)) return INVALID_FILE_ATTRIBUTES;
  return GetFileAttributesW(wide.c_str());
}

BOOL DeleteFileAt(const std::string& path) {
  if (!NeedsWidePath(path)) return DeleteFileA(path.c_str());
  std::wstring wide;
  return ToWidePath(path, &wide) && DeleteFileW(wide.c_str());
}

BOOL MoveFileAt(const std::string& from, const std::string& to, DWORD flags) {
  if (!NeedsWidePath(from) && !NeedsWidePath(to)) {
    return MoveFileExA(from.c_str(), to.c_str(), flags);
  }
  std::wstring wide_from, wide_to;
  return ToWidePath(from, &wide_from) && ToWidePath(to, &wide_to) &&
         MoveFileExW(wide_from.c_str(), wide_to.c_str(), flags);
}

bool FullPathAt(const std::string& path, std::string* full) {
  if (!NeedsWidePath(path)) {
    const DWORD needed = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return false;
    std::string buffer(needed, '\0');
    const DWORD length = GetFullPathNameA(path.c_str(), needed, &buffer[0], nullptr);
    if (length == 0 || length >= needed) return false;
    buffer.resize(length);
    *full = buffer;
    return true;
  }
  std::wstring wide, wide_full;
  if (!WidenPath(path, &wide) || !WideFullPath(wide, &wide_full)) return false;
  *full = PathFromWide(wide_full);
  return true;
}

}  // namespace zorvitan
