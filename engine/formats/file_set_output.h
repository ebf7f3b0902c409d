// Files put in place together (the map is a set of one; a sitemap's files,
// report and robots.txt are one set): each written through a buffer into a
// temporary file beside its target, none replacing its target before every
// one is complete, so a failure keeps the old files.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/formats/write_result.h"
#include "engine/platform/file_system.h"

namespace zorvitan {

class FileSetOutput {
 public:
  explicit FileSetOutput(FileSystem& file_system) : file_system_(file_system) {}

  // Ends the file being written, complete but not yet in place, and begins
  // the next at `path` with `start`; false when either fails.
  bool Begin(const std::string& path, std::string_view start = {});
  // Where the writer appends the current file's text; FlushIfFull() after
  // each entry, which is false when a write failed.
  std::string& text() { return text_; }
  bool FlushIfFull() { return text_.size() < kWriteChunk || Flush(); }

  // Whether nothing of the file being written has gone to the system yet,
  // so Restart() can still change its name and start.
  bool Restartable() const { return open_ && !flushed_; }
  // Writes the file being written at `path` instead, with `start` in place
  // of the start Begin() gave it; false when it is not Restartable() or the
  // new file cannot be begun.
  bool Restart(const std::string& path, std::string_view start);

  // Ends the file being written and puts the files in place in the order
  // they were begun, until one fails; what is not in place is dropped.
  bool Commit();
  // Drops every file not yet in place, removing its temporary.
  void Abandon();

  // The set cannot be completed because of `path`; false.
  bool Fail(const std::string& path);
  bool Failed() const { return !failed_file_.empty(); }
  // The first file that failed.
  const std::string& failed_file() const { return failed_file_; }

 private:
  struct File {
    std::string path;
    std::unique_ptr<FileReplacement> replacement;  // removes its temporary unless committed
  };

  bool Flush();
  bool Finish();

  FileSystem& file_system_;
  std::vector<File> files_;
  bool open_ = false;           // the last file is still being written
  bool flushed_ = false;        // some of it went to the system
  std::size_t start_size_ = 0;  // the bytes of its start
  std::string text_;
  std::string failed_file_;
};

// Writes a set of one file at `path` through `write`, which fills `output`
// and returns false when the front end said to stop: kStopped then, kFailed
// when the file could not be begun, written or put in place, else kWritten.
template <typename Write>
WriteResult::Outcome WriteOneFile(FileSetOutput* output, const std::string& path, Write write) {
  if (!output->Begin(path)) return WriteResult::kFailed;
  if (!write()) {
    output->Abandon();
    return WriteResult::kStopped;
  }
  return output->Commit() ? WriteResult::kWritten : WriteResult::kFailed;
}

}  // namespace zorvitan
