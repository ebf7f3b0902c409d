// Reading a page's text.
//
// Page text is the file's lines, each followed by CR LF: a line ends at CR LF
// or at a lone CR, a lone LF is an ordinary character, a final line end adds no
// empty line, and an empty file gives "".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/page/file_reading.h"
#include "engine/platform/file_system.h"
#include "engine/text/text_conversion.h"

namespace zorvitan {

// Applies the line-end rule in one pass, a chunk at a time.
class LineEndNormalizer {
 public:
  void Feed(const char* data, std::size_t size, std::string* out);
  // Ends the text: closes a last line that had no line end.
  void Finish(std::string* out);

 private:
  bool after_cr_ = false;   // the last byte was a CR (a following LF belongs to it)
  bool line_open_ = false;  // bytes of an unfinished line were written
};

// The whole text at once.
std::string NormalizeLineEnds(const std::string& bytes);

// Reads a page whole into `text` (normalized), using `chunk` as a reusable
// read buffer.
ReadResult ReadPageText(FileSystem& file_system, const std::string& path, std::string* chunk,
                        std::string* text);

// Reads a page whole as UTF-8 (for programs that paste letters): decoded from
// the encoding it declares, or else from the one `converter` takes it to be.
ReadResult ReadPageUnicodeText(FileSystem& file_system, const std::string& path,
                               const TextConverter& converter, std::string* utf8);

}  // namespace zorvitan
