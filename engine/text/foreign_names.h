// Names the system's 8-bit code page cannot hold.
//
// On Windows a file or folder name such as "日本.htm" has no form in the ANSI
// code page. The Win32 layer then carries that one path component as
// kForeignNameMark followed by the name's UTF-8 bytes, and opens it by its
// real name. Windows names never hold control characters, so the mark cannot
// be part of a real name there; layers that never mark names (POSIX) say so
// through SystemText::MarksForeignNames(), and their bytes are taken as they are.
#pragma once

#include <string>
#include <string_view>

namespace zorvitan {

class SystemText;

inline constexpr char kForeignNameMark = '\x01';

inline bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

// Calls `plain(text)` for each stretch of ordinary bytes and `marked(utf8)`
// for each marked name (a mark at a name's start, up to the next separator;
// the mark left out), in order. Without `marked_names` (a platform that never
// marks) the whole text is one plain stretch.
template <typename Plain, typename Marked>
void ForEachMarkedName(std::string_view text, bool marked_names, Plain plain, Marked marked) {
  std::size_t start = 0;
  for (std::size_t at = marked_names ? text.find(kForeignNameMark) : std::string_view::npos;
       at != std::string_view::npos; at = text.find(kForeignNameMark, at + 1)) {
    if (at > 0 && !IsPathSeparator(text[at - 1])) continue;  // not at a name's start
    std::size_t end = at + 1;
    while (end < text.size() && !IsPathSeparator(text[end])) ++end;
    plain(text.substr(start, at - start));
    marked(text.substr(at + 1, end - at - 1));
    start = end;
    at = end - 1;
  }
  plain(text.substr(start));
}

// A file name as patterns and sorting see it: without the mark, so a marked
// name matches and sorts by its own letters.
inline std::string_view WithoutForeignNameMark(std::string_view name) {
  return !name.empty() && name[0] == kForeignNameMark ? name.substr(1) : name;
}

// The path as a message shows it: marked names converted to the code page
// like the program's own texts (what it lacks becomes "?").
std::string PathForMessage(const std::string& path, const SystemText& system_text);

}  // namespace zorvitan
