// Reading a page's text and finding its title.
//
// Page text is the file's lines, each followed by CR LF: a line ends at CR LF
// or at a lone CR, a lone LF is an ordinary character, a final line end adds no
// empty line, and an empty file gives "".
#pragma once

#include <cstddef>
#include <string>

#include "engine/platform.h"

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

// Finds the title while the page text arrives in pieces, keeping only what the
// answer can still depend on, so a page need not be held whole.
class TitleScanner {
 public:
  // Adds text; returns true once the title is settled (both tags found).
  bool Feed(const char* data, std::size_t size);
  bool Settled() const { return settled_; }
  // The title found so far: "" when none (FindTitle's rule).
  const std::string& Title() const { return title_; }

 private:
  std::string kept_;
  bool open_found_ = false;
  bool settled_ = false;
  std::size_t title_start_ = 0;
  std::size_t search_from_ = 0;
  std::string title_;
};

enum class ReadResult { kOk, kCannotOpen, kReadError };

// Reads a page whole into `text` (normalized), using `chunk` as a reusable
// read buffer.
ReadResult ReadPageText(Platform& platform, const std::string& path, std::string* chunk,
                        std::string* text);

// Reads a page only until its title is settled; `title` is "" when it has none.
ReadResult ReadPageTitle(Platform& platform, const std::string& path, std::string* chunk,
                         std::string* title);

}  // namespace zorvitan
