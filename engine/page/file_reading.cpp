#include "engine/page/file_reading.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "engine/page/page_stream.h"

namespace zorvitan {

ReadResult ReadChunks(Platform& platform, const std::string& path, FileBytes bytes,
                      std::string* chunk, const std::function<bool(std::string_view)>& take,
                      std::size_t first_read, bool* utf16) {
  std::unique_ptr<PageReader> reader = platform.OpenPage(path);
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

ReadResult ReadWholeFile(Platform& platform, const std::string& path, std::string* text,
                         std::size_t limit) {
  text->clear();
  std::string chunk;
  return ReadChunks(platform, path, FileBytes::kAsStored, &chunk,
                    [text, limit](std::string_view bytes) {
                      text->append(bytes);
                      return text->size() > limit;
                    });
}

}  // namespace zorvitan
