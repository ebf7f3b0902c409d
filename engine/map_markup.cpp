#include "engine/map_markup.h"

#include <array>

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

}  // namespace

void AppendHref(std::string_view path, std::string* out) {
  static const char kHex[] = "0123456789ABCDEF";
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
      const char escaped[3] = {'%', kHex[byte >> 4], kHex[byte & 0xF]};
      out->append(escaped, 3);
    }
  }
  out->append(path, plain_from, path.size() - plain_from);
}

void AppendHtmlText(std::string_view text, std::string* out) {
  std::size_t plain_from = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char* entity = nullptr;
    switch (text[i]) {
      case '&':
        entity = "&amp;";
        break;
      case '<':
        entity = "&lt;";
        break;
      case '>':
        entity = "&gt;";
        break;
      default:
        continue;
    }
    out->append(text, plain_from, i - plain_from);
    out->append(entity);
    plain_from = i + 1;
  }
  out->append(text, plain_from, text.size() - plain_from);
}

}  // namespace zorvitan
