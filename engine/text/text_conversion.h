// Titles from pages in any encoding, written in the map's one encoding.
#pragma once

#include <string>
#include <string_view>

#include "engine/platform/system_text.h"

namespace zorvitan {

class TextConverter {
 public:
  // `legacy_encoding` is the encoding of pages that declare none and are not
  // valid UTF-8, by its name (encoding_labels.h); "" for the default: the
  // map's own encoding, or windows-1250 when the map is in UTF-8.
  TextConverter(const SystemText& system_text, std::string_view legacy_encoding);

  // The encoding a page's text is read in: the one it declares, else UTF-8
  // when the text is valid UTF-8, else the legacy encoding.
  std::string_view PageEncoding(std::string_view text, std::string_view declared) const;

  // The page's text (or a part of it) as UTF-8.
  std::string ToUtf8(std::string_view text, std::string_view declared) const;

  // A title as the map writes it: in the map's encoding, each character it
  // lacks as "&#N;", and "<" and ">" as "&lt;" and "&gt;", since the browser
  // shows a title's tags as text. A title in the map's own encoding keeps its
  // bytes but for the brackets; character references stay as they are.
  // `declared` is what the page declares (declared_encoding.h).
  std::string TitleForMap(std::string_view title, std::string_view declared) const;

  // Whether a title's encoding can matter: it holds a byte outside ASCII, or
  // the escape that switches ISO-2022-JP.
  static bool NeedsEncoding(std::string_view title);

 private:
  // `text` in `encoding` as UTF-8; false when no converter takes it.
  bool Decode(std::string_view text, std::string_view encoding, std::string* utf8) const;

  const SystemText& system_text_;
  std::string map_encoding_;
  std::string legacy_encoding_;
};

}  // namespace zorvitan
