#include "engine/map_file_output.h"

namespace zorvitan {

bool MapFileOutput::Begin(Platform& platform, const std::string& path) {
  text_.clear();
  failed_ = false;
  file_ = platform.BeginReplacing(path);
  return file_ != nullptr;
}

void MapFileOutput::FlushIfFull() {
  if (text_.size() >= kWriteChunk) Flush();
}

void MapFileOutput::Flush() {
  if (!text_.empty() && !failed_) failed_ = !file_->Write(text_.data(), text_.size());
  text_.clear();
}

bool MapFileOutput::Commit() {
  Flush();
  const bool committed = !failed_ && file_->Commit();
  file_.reset();  // an uncommitted temporary file is removed here
  return committed;
}

void MapFileOutput::Abandon() {
  text_.clear();
  file_.reset();
}

}  // namespace zorvitan
