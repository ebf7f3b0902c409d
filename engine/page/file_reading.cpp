#include "engine/page/file_reading.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "engine/page/declared_encoding.h"
#include "engine/text/encoding_labels.h"
#include "engine/text/utf8.h"

namespace zorvitan {
namespace {

// A page's bytes as the scanners read them: a page in UTF-16 (known by its
// byte-order mark) comes out as UTF-8, so its tags are found like any other
// page's; the bytes of every other page, or without `decode_utf16` of every
// page, pass as they are.
class PageStream {
 public:
  PageStream(std::unique_ptr<PageReader> reader, bool decode_utf16)
      : reader_(std::move(reader)), started_(!decode_utf16) {}

  // As PageReader::Read: bytes read, 0 at the end, -1 on a read error.
  long Read(char* buffer, std::size_t size);

  // Whether the page is UTF-16 and comes out decoded (known after the first Read).
  bool Decoded() const { return utf16_; }

 private:
  // Decodes `size` bytes of UTF-16 into pending_.
  void Decode(const char* data, std::size_t size);

  std::unique_ptr<PageReader> reader_;
  bool started_ = false;
  bool utf16_ = false;
  bool big_endian_ = false;
  std::string raw_;         // UTF-16 bytes read and not yet decoded (a half unit)
  char16_t high_ = 0;       // a high surrogate waiting for its low one
  std::string pending_;     // decoded bytes not yet handed out
  std::size_t handed_ = 0;  // of pending_
};

long PageStream::Read(char* buffer, std::size_t size) {
  if (!started_) {
    started_ = true;
    const long got = reader_->Read(buffer, size);
    if (got <= 0) return got;
    std::size_t mark = 0;
    const std::string_view encoding =
        EncodingOfByteOrderMark(std::string_view(buffer, static_cast<std::size_t>(got)), &mark);
    if (encoding != kUtf16Le && encoding != kUtf16Be) return got;
    utf16_ = true;
    big_endian_ = encoding == kUtf16Be;
    Decode(buffer + mark, static_cast<std::size_t>(got) - mark);
  }
  if (!utf16_) return reader_->Read(buffer, size);
  while (handed_ == pending_.size()) {
    pending_.clear();
    handed_ = 0;
    const long got = reader_->Read(buffer, size);
    if (got < 0) return got;
    if (got == 0) {
      // A lone high surrogate or half a unit at the end.
      if (high_ != 0 || !raw_.empty()) AppendUtf8(kReplacementCharacter, &pending_);
      high_ = 0;
      raw_.clear();
      if (pending_.empty()) return 0;
      break;
    }
    Decode(buffer, static_cast<std::size_t>(got));
  }
  const std::size_t take = std::min(size, pending_.size() - handed_);
  std::memcpy(buffer, pending_.data() + handed_, take);
  handed_ += take;
  return static_cast<long>(take);
}

void PageStream::Decode(const char* data, std::size_t size) {
  raw_.append(data, size);
  std::size_t at = 0;
  for (; at + 1 < raw_.size(); at += 2) {
    const auto first = static_cast<unsigned char>(raw_[at]);
    const auto second = static_cast<unsigned char>(raw_[at + 1]);
    const char16_t unit = big_endian_ ? (first << 8 | second) : (second << 8 | first);
    if (high_ != 0) {
      if (unit >= 0xDC00 && unit <= 0xDFFF) {
        AppendUtf8(0x10000 + ((high_ - 0xD800) << 10) + (unit - 0xDC00), &pending_);
        high_ = 0;
        continue;
      }
      AppendUtf8(kReplacementCharacter, &pending_);
      high_ = 0;
    }
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      high_ = unit;
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      AppendUtf8(kReplacementCharacter, &pending_);
    } else {
      AppendUtf8(unit, &pending_);
    }
  }
  raw_.erase(0, at);
}

}  // namespace

ReadResult ReadChunks(FileSystem& file_system, const std::string& path, FileBytes bytes,
                      std::string* chunk, const std::function<bool(std::string_view)>& take,
                      std::size_t first_read, bool* utf16) {
  std::unique_ptr<PageReader> reader = file_system.OpenPage(path);
  if (!reader) return ReadResult::kCannotOpen;
  PageStream stream(std::move(reader), bytes == FileBytes::kUtf16AsUtf8);
  if (chunk->size() < kPageChunkSize) chunk->resize(kPageChunkSize);
  std::size_t want = std::min(first_read, chunk->size());
  for (;;) {
    const long got = stream.Read(&(*chunk)[0], want);
    if (got < 0) return ReadResult::kReadError;
    if (got == 0 || take(std::string_view(chunk->data(), static_cast<std::size_t>(got)))) break;
    want = chunk->size();
  }
  if (utf16 != nullptr) *utf16 = stream.Decoded();
  return ReadResult::kOk;
}

ReadResult ReadWholeFile(FileSystem& file_system, const std::string& path, std::string* text,
                         std::size_t limit) {
  text->clear();
  std::string chunk;
  return ReadChunks(file_system, path, FileBytes::kAsStored, &chunk,
                    [text, limit](std::string_view bytes) {
                      text->append(bytes);
                      return text->size() > limit;
                    });
}

}  // namespace zorvitan
