// The system's text: its 8-bit code page, the program's own texts in it, the
// encoding the map is written in, and the language of its locale.
//
// Paths and names are bytes in the code page; only the program's own texts,
// kept as UTF-8 in the source, are converted with ProgramText().
#pragma once

#include <string>
#include <string_view>

namespace zorvitan {

class SystemText {
 public:
  virtual ~SystemText() = default;

  // Converts one of the program's own texts (UTF-8 in the source) to the
  // system's 8-bit code page. Identity on POSIX.
  virtual std::string ProgramText(const std::string& utf8) const = 0;

  // The reverse: text in the system's 8-bit code page as UTF-8, for URLs.
  // Identity on POSIX, where names are taken as the bytes they are.
  virtual std::string Utf8FromCodePage(const std::string& text) const { return text; }

  // The encoding the map is written in, by the name browsers give it
  // (engine/text/encoding_labels.h): the ANSI code page's on Windows
  // ("windows-1250"), "UTF-8" on POSIX.
  virtual std::string MapEncoding() const { return "UTF-8"; }

  // Decodes `bytes` in `encoding` (by its name) to UTF-8, each byte sequence
  // the encoding does not define as U+FFFD. False when the platform has no
  // converter for it. Called from two threads at once, like FileSystem::OpenPage.
  virtual bool DecodeText(std::string_view encoding, std::string_view bytes,
                          std::string* utf8) const = 0;

  // UTF-8 text in the map's encoding, each character the encoding lacks
  // written as its HTML character reference "&#N;". False when it cannot be
  // converted. Called from two threads at once.
  virtual bool EncodeForMap(std::string_view utf8, std::string* encoded) const = 0;

  // Whether paths may hold names the code page cannot, marked as
  // engine/text/foreign_names.h describes.
  virtual bool MarksForeignNames() const { return false; }

  // The language of the system's locale as a BCP 47 primary language subtag
  // in lower case ("pl", "ja"); "" when the locale names none ("C", "POSIX").
  virtual std::string SystemLanguage() const = 0;
};

}  // namespace zorvitan
