// The names browsers give to text encodings, and the labels pages use for them.
#pragma once

#include <string_view>

namespace zorvitan {

// The encoding a label names, by its canonical name ("latin2", " ISO_8859-2 "
// and "csisolatin2" all give "ISO-8859-2"), as browsers read the labels: blanks
// around it and letter case do not matter. "" for a label browsers do not know.
std::string_view EncodingForLabel(std::string_view label);

inline constexpr std::string_view kUtf8 = "UTF-8";
inline constexpr std::string_view kUtf16Le = "UTF-16LE";
inline constexpr std::string_view kUtf16Be = "UTF-16BE";
// What browsers decode a page in whose encoding they refuse: one U+FFFD.
inline constexpr std::string_view kReplacement = "replacement";

}  // namespace zorvitan
