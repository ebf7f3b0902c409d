// Reading a page's text.
//
// Page text is the file's lines, each followed by CR LF: a line ends at CR LF
// or at a lone CR, a lone LF is an ordinary character, a final line end adds no
// empty line, and an empty file gives "".
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "engine/page/page_stream.h"
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

enum class ReadResult { kOk, kCannotOpen, kReadError };

// The size of the reusable read buffer.
inline constexpr std::size_t kPageChunkSize = 256 * 1024;

// Feeds a page's bytes, a chunk at a time, to a streaming scanner until its
// Feed() says it is settled or the page ends. The first read is small: what a
// scanner looks for mostly stands near the top of a page. A page in UTF-16 is
// fed as UTF-8 (page_stream.h); `utf16` tells whether it was.
template <typename Scanner>
ReadResult ScanPage(FileSystem& file_system, const std::string& path, std::size_t first_read,
                    std::string* chunk, Scanner* scanner, bool* utf16 = nullptr) {
  std::unique_ptr<PageReader> reader = file_system.OpenPage(path);
  if (!reader) return ReadResult::kCannotOpen;
  PageStream stream(std::move(reader));
  if (chunk->size() < kPageChunkSize) chunk->resize(kPageChunkSize);
  std::size_t want = first_read;
  for (;;) {
    const long got = stream.Read(&(*chunk)[0], want);
    if (got < 0) return ReadResult::kReadError;
    if (got == 0 || scanner->Feed(chunk->data(), static_cast<std::size_t>(got))) break;
    want = kPageChunkSize;
  }
  if (utf16 != nullptr) *utf16 = stream.Decoded();
  return ReadResult::kOk;
}

// Reads a page whole into `text` (normalized), using `chunk` as a reusable
// read buffer.
ReadResult ReadPageText(FileSystem& file_system, const std::string& path, std::string* chunk,
                        std::string* text);

// Reads a page whole as UTF-8 (for programs that paste letters): decoded from
// the encoding it declares, or else from the one `converter` takes it to be.
ReadResult ReadPageUnicodeText(FileSystem& file_system, const std::string& path,
                               const TextConverter& converter, std::string* utf8);

}  // namespace zorvitan
