// Reads a page's head as it streams in (page_head.h).
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "engine/page/html_tokenizer.h"
#include "engine/page/page_head.h"
#include "engine/page/page_text.h"
#include "engine/platform/file_system.h"

namespace zorvitan {

// Fed a page's bytes in pieces of any size, fills the same PageHead as from
// the whole text at once. Holds no more than the token being read (a title of
// up to kHeldTitleLimit bytes, a tag of up to kLongestTag).
class HeadReader {
 public:
  explicit HeadReader(unsigned needs);
  ~HeadReader();
  HeadReader(const HeadReader&) = delete;
  HeadReader& operator=(const HeadReader&) = delete;

  // Adds bytes; returns true once what was needed is settled.
  bool Feed(const char* data, std::size_t size);
  // The page ended: settles what is still open (an unclosed title runs to the end).
  void Finish();
  bool Settled() const;

  // The head as read so far (all of it after Finish() or once settled); its
  // declared_encoding is not looked for here (ReadPageHead does).
  const PageHead& Head() const;
  // The same, moved out of the reader.
  PageHead TakeHead();

  // A title longer than the reader holds is not kept; ReadPageHead reads it
  // again from the page: it stands at TitleOffset() and is TitleLength() raw
  // bytes long.
  bool NeedsReread() const;
  std::size_t TitleOffset() const;
  std::size_t TitleLength() const;

  static constexpr std::size_t kHeldTitleLimit = 1 << 20;
  static constexpr std::size_t kLongestTag = HtmlTokenizer::kLongestTag;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

// Reads a page until what `needs` asks is settled (HeadNeeds), then finds its
// declared encoding when the title's bytes depend on it or the head is needed.
ReadResult ReadPageHead(FileSystem& file_system, const std::string& path, std::string* chunk,
                        unsigned needs, PageHead* head);

}  // namespace zorvitan
