#include "engine/formats/classic/map_markup.h"

#include <string>

#include "engine/platform/system_text.h"
#include "engine/text/foreign_names.h"
#include "engine/text/markup_escape.h"
#include "engine/text/utf8.h"
#include "engine/url/percent_encoding.h"

namespace zorvitan {
namespace {

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

// Bytes of names in an href: those no link may hold as "%XX", "&" as "&amp;".
void AppendPlainHref(std::string_view path, std::string* out) {
  std::string url;
  AppendPercentEncoded(path, UrlBytes::kMapHref, &url);
  AppendEscaped(url, EscapeFor::kHtmlAttribute, out);
}

void AppendEscapedText(std::string_view text, std::string* out) {
  AppendEscaped(text, EscapeFor::kHtmlText, out);
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
    AppendUtf8Name(text, out, AppendEscapedText, [](std::string_view, std::string* to) {
      AppendCharacterReference(kReplacementCharacter, to);
    });
    return;
  }
  ForEachMarkedName(
      text, names == NameBytes::kCodePageMarked,
      [out](std::string_view plain) { AppendEscapedText(plain, out); },
      [out](std::string_view utf8_name) {
        ForEachCharacter(
            utf8_name, [out](char c) { AppendEscapedText(std::string_view(&c, 1), out); },
            [out](std::string_view, char32_t code) { AppendCharacterReference(code, out); },
            [out](std::string_view) { AppendCharacterReference(kReplacementCharacter, out); });
      });
}

}  // namespace zorvitan
