#include "engine/page/page_text.h"

#include <algorithm>
#include <cstring>

#include "engine/page/declared_encoding.h"
#include "engine/text/encoding_labels.h"
#include "engine/text/text_rules.h"

namespace zorvitan {

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

ReadResult ReadPageText(FileSystem& file_system, const std::string& path, std::string* chunk,
                        std::string* text) {
  text->clear();
  std::unique_ptr<PageReader> reader = file_system.OpenPage(path);
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

ReadResult ReadPageUnicodeText(FileSystem& file_system, const std::string& path,
                               const TextConverter& converter, std::string* utf8) {
  utf8->clear();
  std::unique_ptr<PageReader> reader = file_system.OpenPage(path);
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

}  // namespace zorvitan
