// Names the system's 8-bit code page cannot hold.
//
// On Windows a file or folder name such as "日本.htm" has no form in the ANSI
// code page. The Win32 layer then carries that one path component as
// kForeignNameMark followed by the name's UTF-8 bytes, and opens it by its
// real name. Windows names never hold control characters, so the mark cannot
// be part of a real name there; layers that never mark names (POSIX) say so
// through Platform::MarksForeignNames(), and their bytes are taken as they are.
#pragma once

#include <string>
#include <string_view>

namespace zorvitan {

class Platform;

inline constexpr char kForeignNameMark = '\x01';

inline bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

// A file name as patterns and sorting see it: without the mark, so a marked
// name matches and sorts by its own letters.
inline std::string_view WithoutForeignNameMark(std::string_view name) {
  return !name.empty() && name[0] == kForeignNameMark ? name.substr(1) : name;
}

// The path as a message shows it: marked names converted to the code page
// like the program's own texts (what it lacks becomes "?").
std::string PathForMessage(const std::string& path, const Platform& platform);

}  // namespace zorvitan
