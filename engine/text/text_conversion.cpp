#include "engine/text/text_conversion.h"

#include <utility>

#include "engine/text/encoding_labels.h"
#include "engine/text/markup_escape.h"
#include "engine/text/utf8.h"

namespace zorvitan {
namespace {

constexpr std::string_view kDefaultLegacyEncoding = "windows-1250";

// What no converter is needed for: every character outside ASCII as "&#N;",
// which any map encoding carries.
std::string AsciiWithReferences(std::string_view utf8) {
  std::string out;
  for (std::size_t at = 0; at < utf8.size();) {
    const char32_t code = NextCodePoint(utf8, &at);
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else {
      AppendCharacterReference(code, &out);
    }
  }
  return out;
}

}  // namespace

TextConverter::TextConverter(const SystemText& system_text, std::string_view legacy_encoding)
    : system_text_(system_text), map_encoding_(system_text.MapEncoding()) {
  if (!legacy_encoding.empty()) {
    legacy_encoding_ = legacy_encoding;
  } else if (map_encoding_ == kUtf8) {
    legacy_encoding_ = kDefaultLegacyEncoding;
  } else {
    legacy_encoding_ = map_encoding_;
  }
}

bool TextConverter::NeedsEncoding(std::string_view title) {
  for (const char c : title) {
    if (static_cast<unsigned char>(c) >= 0x80 || c == '\x1B') return true;
  }
  return false;
}

std::string_view TextConverter::PageEncoding(std::string_view text,
                                             std::string_view declared) const {
  if (!declared.empty()) return declared;
  return IsValidUtf8(text) ? kUtf8 : std::string_view(legacy_encoding_);
}

bool TextConverter::Decode(std::string_view text, std::string_view encoding,
                           std::string* utf8) const {
  if (encoding == kUtf8) {
    *utf8 = ValidUtf8(text);
    return true;
  }
  if (encoding == kReplacement) {
    utf8->assign("\xEF\xBF\xBD");
    return true;
  }
  return system_text_.DecodeText(encoding, text, utf8);
}

// A declared encoding that no converter takes counts as none; when even the
// legacy one cannot be had, the bytes stay as they are, made valid UTF-8.
std::string TextConverter::ToUtf8(std::string_view text, std::string_view declared) const {
  std::string utf8;
  if (Decode(text, PageEncoding(text, declared), &utf8)) return utf8;
  if (!declared.empty() && Decode(text, PageEncoding(text, {}), &utf8)) return utf8;
  return ValidUtf8(text);
}

// A title's tags show as text, and a NUL as U+FFFD, as in the browser's title
// bar; in the map's text a NUL would show as nothing.
std::string TextConverter::TitleForMap(std::string_view title, std::string_view declared) const {
  std::string out;
  if (!NeedsEncoding(title)) {
    AppendEscaped(title, EscapeFor::kHtmlSourceText, &out);
    return out;
  }
  std::string_view encoding = PageEncoding(title, declared);
  std::string utf8;
  if (encoding != map_encoding_ && !Decode(title, encoding, &utf8)) {
    encoding = PageEncoding(title, {});
    if (encoding != map_encoding_ && !Decode(title, encoding, &utf8)) encoding = map_encoding_;
  }
  if (encoding == map_encoding_) {
    AppendEscaped(map_encoding_ == kUtf8 ? ValidUtf8(title) : std::string(title),
                  EscapeFor::kHtmlSourceText, &out);
    return out;
  }
  std::string encoded;
  if (map_encoding_ == kUtf8) {
    encoded = std::move(utf8);
  } else if (!system_text_.EncodeForMap(utf8, &encoded)) {
    encoded = AsciiWithReferences(utf8);
  }
  AppendEscaped(encoded, EscapeFor::kHtmlSourceText, &out);
  return out;
}

}  // namespace zorvitan
