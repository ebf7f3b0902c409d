// Whether a page asks search engines not to index it: a
// <meta name="robots" content="noindex"> (or name="googlebot", or the content
// "none") in its head. Attributes may stand in any order, their values in
// either quote or none; letters in any case. Only the head is read.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "engine/page_text.h"
#include "engine/platform.h"

namespace zorvitan {

// Scans a page's raw bytes as they arrive, up to the end of its head: the
// "</head>" tag or the first element that cannot stand in a head (such as
// <body> or <p>). Comments and the text of <script>, <style> and <title> are
// skipped. Holds no more than the tag being read, however long the head.
class HeadScanner {
 public:
  // Adds bytes; returns true once the answer is settled.
  bool Feed(const char* data, std::size_t size);
  bool Settled() const { return settled_; }
  bool Noindex() const { return noindex_; }
  // Hears every <meta> and <link> tag of the head: the element's name and the
  // text of its attributes (between the name and ">").
  using TagListener = std::function<void(std::string_view name, std::string_view attributes)>;
  void SetTagListener(TagListener listener) { listener_ = std::move(listener); }

  // A single tag longer than this ends the scan (a broken page, not a head).
  static constexpr std::size_t kLongestTag = 64 * 1024;

 private:
  enum class Mode { kMarkup, kComment, kRawText };
  // Works through pending_ from the start; returns where it had to stop.
  std::size_t Scan();
  // Handles the tag at `at`; returns the offset behind it, or npos when the
  // tag is not complete yet.
  std::size_t Tag(std::size_t at);
  // Skips to behind `terminator`; npos when it is not in pending_ yet.
  std::size_t SkipTo(std::size_t at, const std::string& terminator);

  std::string pending_;  // bytes not worked through yet
  Mode mode_ = Mode::kMarkup;
  std::string raw_end_;  // what ends the comment or raw text being skipped
  bool settled_ = false;
  bool noindex_ = false;
  TagListener listener_;
};

// Whether the attributes of one <meta ...> tag (the text between "<meta" and
// ">") say noindex.
bool MetaSaysNoindex(const std::string& attributes);

// Reads a page until its head is settled; `noindex` tells what it asked.
ReadResult ReadPageRobots(Platform& platform, const std::string& path, std::string* chunk,
                          bool* noindex);

}  // namespace zorvitan
