// What a writer of the map or of the sitemap did: both give this one shape.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zorvitan {

struct WriteResult {
  enum Outcome {
    kWritten,  // every file is in place
    kFailed,   // `failed_file` could not be written; the old files are kept
    kStopped,  // the front end said not to go on; the old files are kept
  };
  Outcome outcome = kWritten;
  std::string failed_file;
  std::size_t pages_found = 0;                // pages of the list, untitled ones too
  std::size_t noindex_pages = 0;              // left out of a sitemap
  std::vector<std::string> unreadable_pages;  // linked or listed all the same
};

}  // namespace zorvitan
