#include "engine/map_markup.h"

#include <array>
#include <string>

#include "engine/foreign_names.h"
#include "engine/text_rules.h"

namespace zorvitan {
namespace {

// What becomes of each byte in an href: 0 stays, 1 is percent-encoded,
// 2 is the ampersand.
constexpr std::array<unsigned char, 256> HrefClasses() {
  std::array<unsigned char, 256> classes{};
  for (int c = 0; c < 0x20; ++c) classes[c] = 1;
  classes[0x7F] = 1;
  classes['%'] = 1;
  classes['#'] = 1;
  classes['?'] = 1;
  classes['"'] = 1;
  classes['&'] = 2;
  return classes;
}
constexpr std::array<unsigned char, 256> kHrefClasses = HrefClasses();

// The next code point of UTF-8 text at `i`, and where the one after it
// starts; a byte that begins no valid sequence stands for U+FFFD.
char32_t NextCodePoint(std::string_view text, std::size_t* i) {
  const auto lead = static_cast<unsigned char>(text[*i]);
  const int length = lead < 0x80    ? 1
                     : lead >= 0xF8 ? 0
                     : lead >= 0xF0 ? 4
                     : lead >= 0xE0 ? 3
                     : lead >= 0xC0 ? 2
                                    : 0;
  if (length == 0 || *i + length > text.size()) {
    ++*i;
    return 0xFFFD;
  }
  char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
  for (int k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[*i + k]);
    if ((next & 0xC0) != 0x80) {
      ++*i;
      return 0xFFFD;
    }
    code = (code << 6) | (next & 0x3F);
  }
  *i += length;
  return code;
}

const char* EntityFor(char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    default:
      return nullptr;
  }
}

void AppendPlainHref(std::string_view path, std::string* out) {
  std::size_t plain_from = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto byte = static_cast<unsigned char>(path[i]);
    const unsigned char kind = kHrefClasses[byte];
    if (kind == 0) continue;
    out->append(path, plain_from, i - plain_from);
    plain_from = i + 1;
    if (kind == 2) {
      out->append("&amp;");
    } else {
      AppendPercentEncoded(byte, out);
    }
  }
  out->append(path, plain_from, path.size() - plain_from);
}

void AppendPlainText(std::string_view text, std::string* out) {
  std::size_t plain_from = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char* entity = EntityFor(text[i]);
    if (entity == nullptr) continue;
    out->append(text, plain_from, i - plain_from);
    out->append(entity);
    plain_from = i + 1;
  }
  out->append(text, plain_from, text.size() - plain_from);
}

}  // namespace

void AppendHref(std::string_view path, bool marked_names, std::string* out) {
  ForEachMarkedName(
      path, marked_names, [out](std::string_view plain) { AppendPlainHref(plain, out); },
      [out](std::string_view utf8_name) {
        for (const char c : utf8_name) {
          const auto byte = static_cast<unsigned char>(c);
          if (byte >= 0x80) {
            AppendPercentEncoded(byte, out);
          } else {
            AppendPlainHref(std::string_view(&c, 1), out);
          }
        }
      });
}

void AppendHtmlText(std::string_view text, bool marked_names, std::string* out) {
  ForEachMarkedName(
      text, marked_names, [out](std::string_view plain) { AppendPlainText(plain, out); },
      [out](std::string_view utf8_name) {
        for (std::size_t i = 0; i < utf8_name.size();) {
          const std::size_t at = i;
          const char32_t code = NextCodePoint(utf8_name, &i);
          if (code < 0x80) {
            AppendPlainText(utf8_name.substr(at, 1), out);
          } else {
            *out += "&#" + std::to_string(static_cast<unsigned long>(code)) + ";";
          }
        }
      });
}

}  // namespace zorvitan
