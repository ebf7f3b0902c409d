#include "engine/page_text.h"

#include <cstring>

#include "engine/text_rules.h"

namespace zorvitan {

namespace {

constexpr std::size_t kChunkSize = 256 * 1024;
constexpr std::string_view kOpenTag = "<title>";
constexpr std::string_view kCloseTag = "</title>";

}  // namespace

void LineEndNormalizer::Feed(const char* data, std::size_t size, std::string* out) {
  const char* p = data;
  const char* end = data + size;
  if (p < end && after_cr_) {
    after_cr_ = false;
    if (*p == '\n') ++p;  // the LF of a CR LF pair
  }
  while (p < end) {
    const char* cr = static_cast<const char*>(std::memchr(p, '\r', end - p));
    if (cr == nullptr) {
      out->append(p, end);
      line_open_ = true;
      return;
    }
    out->append(p, cr);
    out->append("\r\n");
    line_open_ = false;
    p = cr + 1;
    if (p == end) {
      after_cr_ = true;
    } else if (*p == '\n') {
      ++p;
    }
  }
}

void LineEndNormalizer::Finish(std::string* out) {
  if (line_open_) out->append("\r\n");
  line_open_ = false;
  after_cr_ = false;
}

std::string NormalizeLineEnds(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() + 2);
  LineEndNormalizer normalizer;
  normalizer.Feed(bytes.data(), bytes.size(), &out);
  normalizer.Finish(&out);
  return out;
}

std::string FindTitle(const std::string& text) {
  const std::size_t open = FindNoCase(text, kOpenTag);
  if (open == std::string::npos) return {};
  const std::size_t start = open + kOpenTag.size();
  // The closing tag is looked for behind the opening one: a stray "</title>"
  // earlier in the page must not give a title of negative length.
  const std::size_t close = FindNoCase(text, kCloseTag, start);
  if (close == std::string::npos) return {};
  return text.substr(start, close - start);
}

bool TitleScanner::Feed(const char* data, std::size_t size) {
  if (settled_) return true;
  kept_.append(data, size);
  if (!open_found_) {
    const std::size_t open = FindNoCase(kept_, kOpenTag, search_from_);
    if (open == std::string::npos) {
      // Keep only a tail that could still begin the opening tag.
      const std::size_t keep = kOpenTag.size() - 1;
      if (kept_.size() > keep) kept_.erase(0, kept_.size() - keep);
      search_from_ = 0;
      return false;
    }
    open_found_ = true;
    title_start_ = open + kOpenTag.size();
    search_from_ = title_start_;
  }
  const std::size_t close = FindNoCase(kept_, kCloseTag, search_from_);
  if (close == std::string::npos) {
    const std::size_t overlap = kCloseTag.size() - 1;
    search_from_ = kept_.size() > title_start_ + overlap ? kept_.size() - overlap : title_start_;
    return false;
  }
  title_ = kept_.substr(title_start_, close - title_start_);
  settled_ = true;
  kept_.clear();
  kept_.shrink_to_fit();
  return true;
}

namespace {

// Reads the page in large chunks and hands each normalized piece to `sink`,
// which returns true when it needs no more.
template <typename Sink>
ReadResult ReadNormalized(Platform& platform, const std::string& path, std::string* chunk,
                          Sink sink) {
  std::unique_ptr<PageReader> reader = platform.OpenPage(path);
  if (!reader) return ReadResult::kCannotOpen;
  if (chunk->size() < kChunkSize) chunk->resize(kChunkSize);
  LineEndNormalizer normalizer;
  std::string piece;
  for (;;) {
    const long got = reader->Read(&(*chunk)[0], chunk->size());
    if (got < 0) return ReadResult::kReadError;
    piece.clear();
    if (got == 0) {
      normalizer.Finish(&piece);
      sink(piece);
      return ReadResult::kOk;
    }
    normalizer.Feed(chunk->data(), static_cast<std::size_t>(got), &piece);
    if (sink(piece)) return ReadResult::kOk;
  }
}

}  // namespace

ReadResult ReadPageText(Platform& platform, const std::string& path, std::string* chunk,
                        std::string* text) {
  text->clear();
  return ReadNormalized(platform, path, chunk, [text](const std::string& piece) {
    text->append(piece);
    return false;
  });
}

ReadResult ReadPageTitle(Platform& platform, const std::string& path, std::string* chunk,
                         std::string* title) {
  TitleScanner scanner;
  const ReadResult result = ReadNormalized(platform, path, chunk, [&scanner](const std::string& piece) {
    return scanner.Feed(piece.data(), piece.size());
  });
  *title = scanner.Title();
  return result;
}

}  // namespace zorvitan
