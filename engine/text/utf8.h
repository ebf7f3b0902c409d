// UTF-8, read and written as browsers do.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zorvitan {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code point at `*at`, moving `*at` behind it. An ill-formed sequence
// gives one U+FFFD for as many of its bytes as could begin a valid one (the
// rule of browsers' decoders): "\xE2\x82A" is U+FFFD, then "A".
char32_t NextCodePoint(std::string_view text, std::size_t* at);

// Whether every sequence of `text` is well formed.
bool IsValidUtf8(std::string_view text);

// `text` with each ill-formed sequence replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);

void AppendUtf8(char32_t code, std::string* out);

// "&#N;" for the code point: a character that needs no encoding to travel.
void AppendCharacterReference(char32_t code, std::string* out);

}  // namespace zorvitan
