#include "engine/formats/file_set_output.h"

namespace zorvitan {

bool FileSetOutput::Begin(const std::string& path, std::string_view start) {
  if (!Finish()) return false;
  files_.push_back(File{path, file_system_.BeginReplacing(path)});
  open_ = files_.back().replacement != nullptr;
  flushed_ = false;
  start_size_ = start.size();
  text_.assign(start);
  return open_ || Fail(path);
}

bool FileSetOutput::Restart(const std::string& path, std::string_view start) {
  if (!Restartable()) return false;
  // The replacement dropped removes its temporary file.
  files_.back() = File{path, file_system_.BeginReplacing(path)};
  open_ = files_.back().replacement != nullptr;
  text_.replace(0, start_size_, start);
  start_size_ = start.size();
  return open_ || Fail(path);
}

bool FileSetOutput::Flush() {
  File& file = files_.back();
  const bool written =
      !Failed() && (text_.empty() || file.replacement->Write(text_.data(), text_.size()));
  flushed_ = flushed_ || !text_.empty();
  text_.clear();
  return written || Fail(file.path);
}

bool FileSetOutput::Finish() {
  if (!open_) return !Failed();
  open_ = false;
  return (Flush() && files_.back().replacement->Finish()) || Fail(files_.back().path);
}

bool FileSetOutput::Commit() {
  bool committed = Finish();
  for (File& file : files_) {
    if (committed && !file.replacement->Commit()) committed = Fail(file.path);
  }
  Abandon();
  return committed;
}

void FileSetOutput::Abandon() {
  files_.clear();
  open_ = false;
  text_.clear();
}

bool FileSetOutput::Fail(const std::string& path) {
  if (failed_file_.empty()) failed_file_ = path;
  return false;
}

}  // namespace zorvitan
