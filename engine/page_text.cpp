#include "engine/page_text.h"

#include <algorithm>
#include <cstring>

#include "engine/declared_encoding.h"
#include "engine/encoding_labels.h"
#include "engine/text_rules.h"

namespace zorvitan {

namespace {

constexpr std::size_t kFirstTitleRead = 16 * 1024;
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

namespace {

// Where `tag` first occurs across the seam of `before` (fewer bytes than the
// tag) and `data`, counted in `data`: the offset just behind the tag. npos
// when it does not straddle the seam.
std::size_t FindAcrossSeam(const std::string& before, const char* data, std::size_t size,
                           std::string_view tag) {
  if (before.empty() || size == 0) return std::string::npos;
  std::string seam = before;
  seam.append(data, std::min(size, tag.size() - 1));
  const std::size_t at = FindNoCase(seam, tag);
  if (at == std::string::npos || at >= before.size()) return std::string::npos;
  return at + tag.size() - before.size();
}

// The last bytes of `text` and `data` together, at most `count` of them.
void KeepTail(std::string* text, const char* data, std::size_t size, std::size_t count) {
  if (size >= count) {
    text->assign(data + size - count, count);
  } else {
    text->append(data, size);
    if (text->size() > count) text->erase(0, text->size() - count);
  }
}

}  // namespace

bool TitleScanner::Feed(const char* data, std::size_t size) {
  if (settled_) return true;
  const std::size_t fed_before = fed_;
  fed_ += size;
  if (open_found_) {
    FeedTitle(data, size);
    return settled_;
  }
  std::size_t behind = FindAcrossSeam(tail_, data, size, kOpenTag);
  if (behind == std::string::npos) {
    const std::size_t at = FindNoCase(std::string_view(data, size), kOpenTag);
    if (at == std::string::npos) {
      KeepTail(&tail_, data, size, kOpenTag.size() - 1);
      return false;
    }
    behind = at + kOpenTag.size();
  }
  open_found_ = true;
  tail_.clear();
  title_offset_ = fed_before + behind;
  FeedTitle(data + behind, size - behind);
  return settled_;
}

void TitleScanner::FeedTitle(const char* data, std::size_t size) {
  const std::size_t keep = kCloseTag.size() - 1;
  const std::string seam_before =
      title_raw_.size() > keep ? title_raw_.substr(title_raw_.size() - keep) : title_raw_;
  std::size_t close_end = FindAcrossSeam(seam_before, data, size, kCloseTag);
  std::size_t title_end;  // raw title bytes in `data`, or npos when the tag is not here
  if (close_end != std::string::npos) {
    // The tag began in the bytes kept from before: the title ends inside them.
    const std::size_t tag_in_before = kCloseTag.size() - close_end;
    title_raw_.resize(title_raw_.size() - tag_in_before);
    title_end = 0;
  } else {
    const std::size_t at = FindNoCase(std::string_view(data, size), kCloseTag);
    title_end = at;
  }
  if (title_end == std::string::npos) {
    title_raw_.append(data, size);
    if (title_raw_.size() > kHeldTitleLimit) {
      // Keep only what the seam check needs; the title is read again if it ends.
      dropped_ += title_raw_.size() - keep;
      title_raw_.erase(0, title_raw_.size() - keep);
    }
    return;
  }
  title_raw_.append(data, title_end);
  settled_ = true;
  title_length_ = dropped_ + title_raw_.size();
  if (dropped_ == 0) {
    // The line-end rule inside the title; the closing tag that follows ends no line.
    LineEndNormalizer normalizer;
    normalizer.Feed(title_raw_.data(), title_raw_.size(), &title_);
  }
  title_raw_.clear();
  title_raw_.shrink_to_fit();
}

ReadResult ReadPageText(Platform& platform, const std::string& path, std::string* chunk,
                        std::string* text) {
  text->clear();
  std::unique_ptr<PageReader> reader = platform.OpenPage(path);
  if (!reader) return ReadResult::kCannotOpen;
  if (chunk->size() < kPageChunkSize) chunk->resize(kPageChunkSize);
  LineEndNormalizer normalizer;
  for (;;) {
    const long got = reader->Read(&(*chunk)[0], chunk->size());
    if (got < 0) return ReadResult::kReadError;
    if (got == 0) break;
    normalizer.Feed(chunk->data(), static_cast<std::size_t>(got), text);
  }
  normalizer.Finish(text);
  return ReadResult::kOk;
}

ReadResult ReadPageUnicodeText(Platform& platform, const std::string& path,
                               const TextConverter& converter, std::string* utf8) {
  utf8->clear();
  std::unique_ptr<PageReader> reader = platform.OpenPage(path);
  if (!reader) return ReadResult::kCannotOpen;
  PageStream stream(std::move(reader));
  std::string chunk(kPageChunkSize, '\0');
  std::string text;
  LineEndNormalizer normalizer;
  for (;;) {
    const long got = stream.Read(&chunk[0], chunk.size());
    if (got < 0) return ReadResult::kReadError;
    if (got == 0) break;
    normalizer.Feed(chunk.data(), static_cast<std::size_t>(got), &text);
  }
  normalizer.Finish(&text);
  *utf8 = converter.ToUtf8(text, stream.Decoded() ? kUtf8 : DeclaredEncoding(text));
  return ReadResult::kOk;
}

namespace {

// The title, and the beginning of the page where its encoding is declared.
class TitleAndHeadScanner {
 public:
  bool Feed(const char* data, std::size_t size) {
    if (head_.size() < kEncodingPrescanBytes) {
      head_.append(data, std::min(size, kEncodingPrescanBytes - head_.size()));
    }
    return title_.Feed(data, size) && head_.size() >= kEncodingPrescanBytes;
  }
  const TitleScanner& Title() const { return title_; }
  const std::string& Head() const { return head_; }

 private:
  TitleScanner title_;
  std::string head_;
};

// Reads a long title from its place in the page, applying the line-end rule.
ReadResult RereadTitle(Platform& platform, const std::string& path, const TitleScanner& scanner,
                       std::string* chunk, std::string* title) {
  std::unique_ptr<PageReader> reader = platform.OpenPage(path);
  if (!reader) return ReadResult::kCannotOpen;
  PageStream stream(std::move(reader));
  std::size_t skip = scanner.TitleOffset();
  std::size_t left = scanner.TitleLength();
  LineEndNormalizer normalizer;
  while (left > 0) {
    const long got = stream.Read(&(*chunk)[0], chunk->size());
    if (got <= 0) return ReadResult::kReadError;  // the page changed under us
    std::size_t from = 0;
    const auto size = static_cast<std::size_t>(got);
    if (skip >= size) {
      skip -= size;
      continue;
    }
    from = skip;
    skip = 0;
    const std::size_t take = std::min(left, size - from);
    normalizer.Feed(chunk->data() + from, take, title);
    left -= take;
  }
  return ReadResult::kOk;
}

}  // namespace

ReadResult ReadPageTitle(Platform& platform, const std::string& path, std::string* chunk,
                         PageTitle* title) {
  title->text.clear();
  title->declared_encoding = {};
  TitleAndHeadScanner scanner;
  bool utf16 = false;
  ReadResult result = ScanPage(platform, path, kFirstTitleRead, chunk, &scanner, &utf16);
  if (result != ReadResult::kOk) return result;
  if (scanner.Title().NeedsReread()) {
    result = RereadTitle(platform, path, scanner.Title(), chunk, &title->text);
    if (result != ReadResult::kOk) return result;
  } else {
    title->text = scanner.Title().Title();
  }
  if (TextConverter::NeedsEncoding(title->text)) {
    title->declared_encoding = utf16 ? kUtf8 : DeclaredEncoding(scanner.Head());
  }
  return ReadResult::kOk;
}

}  // namespace zorvitan
