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

namespace {

// Reads a file whole into `text`, normalized.
ReadResult ReadNormalized(FileSystem& file_system, const std::string& path, FileBytes bytes,
                          std::string* chunk, std::string* text, bool* utf16 = nullptr) {
  text->clear();
  LineEndNormalizer normalizer;
  const ReadResult result = ReadChunks(
      file_system, path, bytes, chunk,
      [&normalizer, text](std::string_view read) {
        normalizer.Feed(read.data(), read.size(), text);
        return false;
      },
      kPageChunkSize, utf16);
  if (result == ReadResult::kOk) normalizer.Finish(text);
  return result;
}

}  // namespace

ReadResult ReadPageText(FileSystem& file_system, const std::string& path, std::string* chunk,
                        std::string* text) {
  return ReadNormalized(file_system, path, FileBytes::kAsStored, chunk, text);
}

ReadResult ReadPageUnicodeText(FileSystem& file_system, const std::string& path,
                               const TextConverter& converter, std::string* utf8) {
  utf8->clear();
  std::string chunk;
  std::string text;
  bool utf16 = false;
  const ReadResult result =
      ReadNormalized(file_system, path, FileBytes::kUtf16AsUtf8, &chunk, &text, &utf16);
  if (result != ReadResult::kOk) return result;
  *utf8 = converter.ToUtf8(text, utf16 ? kUtf8 : DeclaredEncoding(text));
  return ReadResult::kOk;
}

}  // namespace zorvitan
