// The one loop that reads a file through the platform: opened, then read a
// chunk at a time into a reusable buffer, each chunk handed on.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "engine/platform/file_system.h"

namespace zorvitan {

enum class ReadResult { kOk, kCannotOpen, kReadError };

// The size of the reusable read buffer.
inline constexpr std::size_t kPageChunkSize = 256 * 1024;

// How a file's bytes come: as stored, or a page in UTF-16 (known by its
// byte-order mark) as UTF-8, so that every scanner of pages finds its tags.
enum class FileBytes { kAsStored, kUtf16AsUtf8 };

// Hands the file's bytes to `take`, a chunk at a time, until `take` returns
// true (it has what it needs) or the file ends. `chunk` is the read buffer,
// grown to kPageChunkSize. The first read takes `first_read` bytes: what a
// scanner looks for mostly stands near the top of a page. On kOk, `utf16`
// (when given) tells whether the page was UTF-16 and came decoded.
ReadResult ReadChunks(FileSystem& file_system, const std::string& path, FileBytes bytes,
                      std::string* chunk, const std::function<bool(std::string_view)>& take,
                      std::size_t first_read = kPageChunkSize, bool* utf16 = nullptr);

// Reads a file whole as stored, or, past `limit` bytes, stops with more than
// `limit` in `text`.
ReadResult ReadWholeFile(FileSystem& file_system, const std::string& path, std::string* text,
                         std::size_t limit = std::string::npos);

}  // namespace zorvitan
