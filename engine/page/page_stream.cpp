#include "engine/page/page_stream.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "engine/page/declared_encoding.h"
#include "engine/text/encoding_labels.h"
#include "engine/text/utf8.h"

namespace zorvitan {

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

}  // namespace zorvitan
