// Reading a page's text and finding its title.
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

#include "engine/page_stream.h"
#include "engine/platform.h"
#include "engine/text_conversion.h"

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

// The text between the first "<title>" and the first "</title>" behind it
// (letter case ignored), verbatim; "" when there is none or it is empty.
std::string FindTitle(const std::string& text);

// Finds the title while a page's raw bytes arrive in pieces, searching each
// piece where it lies and keeping only what the answer can still depend on.
// The tags hold no CR or LF, so they stand at the same places in the raw bytes
// as in the page text; only the title itself needs the line-end rule. The
// result equals FindTitle(NormalizeLineEnds(all the bytes)).
class TitleScanner {
 public:
  // Adds bytes; returns true once the title is settled (both tags found).
  bool Feed(const char* data, std::size_t size);
  bool Settled() const { return settled_; }
  // The title found: "" while unsettled or when there is none.
  const std::string& Title() const { return title_; }

  // A title longer than the scanner holds is not kept while its closing tag is
  // looked for, so an unclosed "<title>" in a huge page costs no memory. Once
  // settled, such a title is read again from the page: it stands at byte
  // TitleOffset() and is TitleLength() raw bytes long.
  bool NeedsReread() const { return settled_ && dropped_ > 0; }
  std::size_t TitleOffset() const { return title_offset_; }
  std::size_t TitleLength() const { return title_length_; }

  // The most raw title bytes held while the closing tag is looked for.
  static constexpr std::size_t kHeldTitleLimit = 1 << 20;

 private:
  void FeedTitle(const char* data, std::size_t size);

  std::string tail_;       // the last bytes before the opening tag was found
  std::string title_raw_;  // the raw bytes behind the opening tag (the last ones when dropped)
  bool open_found_ = false;
  bool settled_ = false;
  std::string title_;
  std::size_t fed_ = 0;           // bytes fed before the current piece
  std::size_t dropped_ = 0;       // title bytes let go of from the front of title_raw_
  std::size_t title_offset_ = 0;  // where the title's first byte stands in the page
  std::size_t title_length_ = 0;
};

enum class ReadResult { kOk, kCannotOpen, kReadError };

// The size of the reusable read buffer.
inline constexpr std::size_t kPageChunkSize = 256 * 1024;

// Feeds a page's bytes, a chunk at a time, to a streaming scanner until its
// Feed() says it is settled or the page ends. The first read is small: what a
// scanner looks for mostly stands near the top of a page. A page in UTF-16 is
// fed as UTF-8 (page_stream.h); `utf16` tells whether it was.
template <typename Scanner>
ReadResult ScanPage(Platform& platform, const std::string& path, std::size_t first_read,
                    std::string* chunk, Scanner* scanner, bool* utf16 = nullptr) {
  std::unique_ptr<PageReader> reader = platform.OpenPage(path);
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
ReadResult ReadPageText(Platform& platform, const std::string& path, std::string* chunk,
                        std::string* text);

// Reads a page whole as UTF-8 (for programs that paste letters): decoded from
// the encoding it declares, or else from the one `converter` takes it to be.
ReadResult ReadPageUnicodeText(Platform& platform, const std::string& path,
                               const TextConverter& converter, std::string* utf8);

// A page's title, and what the page declares of its encoding.
struct PageTitle {
  std::string text;  // the raw bytes between the tags; "" when there is none
  // The encoding the page declares (declared_encoding.h), "UTF-8" for a page
  // read from UTF-16; looked for only when the title's bytes depend on it.
  std::string_view declared_encoding;
};

// Reads a page only until its title is settled and its encoding declaration
// could be seen.
ReadResult ReadPageTitle(Platform& platform, const std::string& path, std::string* chunk,
                         PageTitle* title);

}  // namespace zorvitan
