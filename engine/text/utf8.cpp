#include "engine/text/utf8.h"

#include <string>

namespace zorvitan {

char32_t NextCodePoint(std::string_view text, std::size_t* at) {
  const auto lead = static_cast<unsigned char>(text[*at]);
  ++*at;
  if (lead < 0x80) return lead;
  int needed;
  char32_t code;
  unsigned char lower = 0x80, upper = 0xBF;  // the range of the next byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    needed = 1;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    needed = 2;
    code = lead & 0x0F;
    if (lead == 0xE0) lower = 0xA0;  // no overlong forms
    if (lead == 0xED) upper = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    needed = 3;
    code = lead & 0x07;
    if (lead == 0xF0) lower = 0x90;
    if (lead == 0xF4) upper = 0x8F;  // nothing past U+10FFFF
  } else {
    return kReplacementCharacter;
  }
  for (; needed > 0; --needed) {
    if (*at >= text.size()) return kReplacementCharacter;
    const auto next = static_cast<unsigned char>(text[*at]);
    if (next < lower || next > upper) return kReplacementCharacter;  // `next` starts anew
    code = (code << 6) | (next & 0x3F);
    lower = 0x80;
    upper = 0xBF;
    ++*at;
  }
  return code;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    if (static_cast<unsigned char>(text[at]) < 0x80) {
      ++at;
      continue;
    }
    const std::size_t start = at;
    const char32_t code = NextCodePoint(text, &at);
    // A U+FFFD that stood in the text as itself is valid.
    if (code == kReplacementCharacter && text.substr(start, at - start) != "\xEF\xBF\xBD") {
      return false;
    }
  }
  return true;
}

std::string ValidUtf8(std::string_view text) {
  if (IsValidUtf8(text)) return std::string(text);
  std::string out;
  for (std::size_t at = 0; at < text.size();) AppendUtf8(NextCodePoint(text, &at), &out);
  return out;
}

void AppendUtf8(char32_t code, std::string* out) {
  if (code < 0x80) {
    *out += static_cast<char>(code);
  } else if (code < 0x800) {
    *out += static_cast<char>(0xC0 | (code >> 6));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    *out += static_cast<char>(0xE0 | (code >> 12));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | (code >> 18));
    *out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

void AppendCharacterReference(char32_t code, std::string* out) {
  *out += "&#";
  *out += std::to_string(static_cast<unsigned long>(code));
  *out += ';';
}

}  // namespace zorvitan
