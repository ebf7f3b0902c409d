// The new map file as a writer fills it: text gathered in one buffer and
// written a chunk at a time into a temporary file beside the map, which takes
// the old map's place only once it is complete.
#pragma once

#include <memory>
#include <string>

#include "engine/platform.h"
#include "engine/write_result.h"

namespace zorvitan {

class MapFileOutput {
 public:
  // Starts the temporary file; false when it cannot be made.
  bool Begin(Platform& platform, const std::string& path);

  // Where the writer appends its text; FlushIfFull() after each entry.
  std::string& text() { return text_; }
  void FlushIfFull();
  // A write failed: the map cannot be completed.
  bool Failed() const { return failed_; }

  // Writes the rest and puts the file in place of the old map; false when a
  // write or the replacement failed (the old map stays).
  bool Commit();
  // Removes the temporary file: the old map stays.
  void Abandon();

 private:
  void Flush();

  std::unique_ptr<FileReplacement> file_;
  std::string text_;
  bool failed_ = false;
};

// Writes the map file at `path` through `write`, which fills `output` and
// returns false when the front end said to stop: kStopped then, kFailed when
// the file could not be begun, written or put in place, else kWritten.
template <typename Write>
WriteResult::Outcome WriteMapFile(Platform& platform, const std::string& path,
                                  MapFileOutput* output, Write write) {
  if (!output->Begin(platform, path)) return WriteResult::kFailed;
  if (!write()) {
    output->Abandon();
    return WriteResult::kStopped;
  }
  return output->Commit() ? WriteResult::kWritten : WriteResult::kFailed;
}

}  // namespace zorvitan
