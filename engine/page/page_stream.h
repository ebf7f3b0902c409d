// A page's bytes as the scanners read them: a page in UTF-16 (known by its
// byte-order mark) comes out as UTF-8, so its tags are found like any other
// page's; every other page's bytes pass as they are.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>

#include "engine/platform/platform.h"

namespace zorvitan {

class PageStream {
 public:
  // Without `decode_utf16`, every page's bytes pass as they are.
  explicit PageStream(std::unique_ptr<PageReader> reader, bool decode_utf16 = true)
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

}  // namespace zorvitan
