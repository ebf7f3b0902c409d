// Small text rules the engine's modules share: paths, letter case, the
// characters of the web, the order of names.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zorvitan {

// The folder part of a path: everything up to and including the last
// separator; "" when there is none.
std::string FolderOf(const std::string& path, char separator);

// The path with every separator turned into "/" (on Windows: backslashes).
std::string WithForwardSlashes(const std::string& path, char separator);

// Position of the first occurrence of `needle` in `text` at or after `from`,
// with ASCII letters compared regardless of case; npos when there is none.
std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from = 0);

inline char ToLowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// The text with its ASCII letters in lower case.
std::string LowerAscii(std::string_view text);

// Whether the two are equal with ASCII letters compared regardless of case.
bool EqualsNoCase(std::string_view a, std::string_view b);

// The blanks of the web: space, tab, line feed, form feed, carriage return.
inline constexpr std::string_view kHtmlBlanks = " \t\n\f\r";
inline bool IsHtmlBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}
constexpr bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// The value of a hexadecimal digit in either case, or -1.
inline int HexDigitValue(char c) {
  if (IsAsciiDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Whether a file name is a folder's index page: index.htm, index.html or
// index.php, in any letter case.
bool IsIndexName(std::string_view name);

// The order of names within one folder: case-insensitive by bytes with ASCII
// letters folded, ties broken by the raw bytes. The same on every platform, so
// a map does not depend on the file system's own order.
bool NameLess(const std::string& a, const std::string& b);

// The text without the `blanks` characters at both of its ends; as a view
// into `text`, without a copy.
std::string Trim(std::string_view text, std::string_view blanks);
std::string_view TrimView(std::string_view text, std::string_view blanks);

// The text with the separator appended when it does not already end in one.
std::string WithSeparator(const std::string& folder, char separator);

}  // namespace zorvitan
