#include "engine/text/text_rules.h"

#include <cstring>

#include "engine/text/foreign_names.h"

namespace zorvitan {

std::string FolderOf(const std::string& path, char separator) {
  const std::size_t last = path.rfind(separator);
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string WithForwardSlashes(const std::string& path, char separator) {
  std::string result = path;
  if (separator != '/') {
    for (char& c : result) {
      if (c == separator) c = '/';
    }
  }
  return result;
}

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = ToLowerAscii(c);
  return lower;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToLowerAscii(a[i]) != ToLowerAscii(b[i])) return false;
  }
  return true;
}

bool IsIndexName(std::string_view name) {
  const std::string lower = LowerAscii(name);
  return lower == "index.htm" || lower == "index.html" || lower == "index.php";
}

std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.empty()) return from <= text.size() ? from : std::string_view::npos;
  if (from >= text.size() || text.size() - from < needle.size()) return std::string_view::npos;
  const char first_lower = ToLowerAscii(needle[0]);
  const char first_upper = (first_lower >= 'a' && first_lower <= 'z')
                               ? static_cast<char>(first_lower - 32)
                               : first_lower;
  const std::size_t last_start = text.size() - needle.size();
  const char* base = text.data();
  std::size_t pos = from;
  while (pos <= last_start) {
    // Jump to the next candidate first character with memchr: most of a page
    // holds no '<' at all, so this is where the time goes.
    const void* lo = std::memchr(base + pos, first_lower, last_start - pos + 1);
    const void* up = first_upper == first_lower
                         ? nullptr
                         : std::memchr(base + pos, first_upper, last_start - pos + 1);
    const char* hit = static_cast<const char*>(lo);
    if (up != nullptr && (hit == nullptr || static_cast<const char*>(up) < hit)) {
      hit = static_cast<const char*>(up);
    }
    if (hit == nullptr) return std::string_view::npos;
    pos = static_cast<std::size_t>(hit - base);
    std::size_t i = 1;
    while (i < needle.size() && ToLowerAscii(base[pos + i]) == ToLowerAscii(needle[i])) ++i;
    if (i == needle.size()) return pos;
    ++pos;
  }
  return std::string_view::npos;
}

bool NameLess(const std::string& a, const std::string& b) {
  // A name the code page cannot hold sorts by its letters, not by its mark.
  const std::string_view x = WithoutForeignNameMark(a), y = WithoutForeignNameMark(b);
  const std::size_t n = x.size() < y.size() ? x.size() : y.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto cx = static_cast<unsigned char>(ToLowerAscii(x[i]));
    const auto cy = static_cast<unsigned char>(ToLowerAscii(y[i]));
    if (cx != cy) return cx < cy;
  }
  if (x.size() != y.size()) return x.size() < y.size();
  return a < b;  // equal when folded: the raw bytes decide
}

std::string_view TrimView(std::string_view text, std::string_view blanks) {
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return std::string_view();
  const std::size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

std::string Trim(std::string_view text, std::string_view blanks) {
  return std::string(TrimView(text, blanks));
}

std::string WithSeparator(const std::string& folder, char separator) {
  if (!folder.empty() && folder.back() == separator) return folder;
  return folder + separator;
}

}  // namespace zorvitan
