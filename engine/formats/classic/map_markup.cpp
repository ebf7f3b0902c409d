#include "engine/formats/classic/map_markup.h"

#include <array>
#include <string>

#include "engine/platform/system_text.h"
#include "engine/text/foreign_names.h"
#include "engine/text/text_rules.h"
#include "engine/text/utf8.h"

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

// Calls `ascii(c)` for each ASCII byte of UTF-8 text, `letter(bytes, code)`
// for each other well-formed character and `invalid(bytes)` for each
// ill-formed sequence.
template <typename Ascii, typename Letter, typename Invalid>
void ForEachCharacter(std::string_view utf8, Ascii ascii, Letter letter, Invalid invalid) {
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t start = at;
    const char32_t code = NextCodePoint(utf8, &at);
    const std::string_view bytes = utf8.substr(start, at - start);
    if (code < 0x80) {
      ascii(bytes[0]);
    } else if (code == kReplacementCharacter && bytes != "\xEF\xBF\xBD") {
      invalid(bytes);
    } else {
      letter(bytes, code);
    }
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

void AppendBytesPercentEncoded(std::string_view bytes, std::string* out) {
  for (const char c : bytes) AppendPercentEncoded(static_cast<unsigned char>(c), out);
}

// UTF-8 whose letters stay, and whose ill-formed bytes go `invalid`'s way.
template <typename Plain, typename Invalid>
void AppendUtf8Name(std::string_view name, std::string* out, Plain plain, Invalid invalid) {
  if (IsValidUtf8(name)) {
    plain(name, out);
    return;
  }
  ForEachCharacter(
      name, [&](char c) { plain(std::string_view(&c, 1), out); },
      [&](std::string_view bytes, char32_t) { out->append(bytes); },
      [&](std::string_view bytes) { invalid(bytes, out); });
}

}  // namespace

NameBytes NameBytesOf(const SystemText& system_text) {
  if (system_text.MarksForeignNames()) return NameBytes::kCodePageMarked;
  return system_text.MapEncoding() == "UTF-8" ? NameBytes::kUtf8 : NameBytes::kCodePage;
}

void AppendHref(std::string_view path, NameBytes names, std::string* out) {
  if (names == NameBytes::kUtf8) {
    AppendUtf8Name(path, out, AppendPlainHref, AppendBytesPercentEncoded);
    return;
  }
  ForEachMarkedName(
      path, names == NameBytes::kCodePageMarked,
      [out](std::string_view plain) { AppendPlainHref(plain, out); },
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

void AppendHtmlText(std::string_view text, NameBytes names, std::string* out) {
  if (names == NameBytes::kUtf8) {
    AppendUtf8Name(text, out, AppendPlainText, [](std::string_view, std::string* to) {
      AppendCharacterReference(kReplacementCharacter, to);
    });
    return;
  }
  ForEachMarkedName(
      text, names == NameBytes::kCodePageMarked,
      [out](std::string_view plain) { AppendPlainText(plain, out); },
      [out](std::string_view utf8_name) {
        ForEachCharacter(
            utf8_name, [out](char c) { AppendPlainText(std::string_view(&c, 1), out); },
            [out](std::string_view, char32_t code) { AppendCharacterReference(code, out); },
            [out](std::string_view) { AppendCharacterReference(kReplacementCharacter, out); });
      });
}

}  // namespace zorvitan
