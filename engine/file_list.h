// The list of one folder's pages: given a folder and patterns, the names of
// that folder's files that match any pattern, in a stable order. Files with the
// hidden or system attribute, folders and anything but regular files are left out.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/pattern.h"
#include "engine/platform.h"

namespace zorvitan {

class FileList {
 public:
  void SetPath(const std::string& folder) { path_ = folder; }
  void SetPattern(const std::string& patterns);
  const std::string& Pattern() const { return pattern_text_; }

  // Reads the folder again through the platform. A folder that cannot be read
  // lists nothing.
  void Refresh(Platform& platform);
  // Takes the folder's entries from a listing already made (the walk's), so a
  // folder is read once per run.
  void RefreshFrom(const std::vector<DirEntry>& entries);

  std::size_t ListCount() const { return names_.size(); }
  const std::string& List(std::size_t index) const { return names_[index]; }

  // Whether the entry is one the control lists.
  bool Accepts(const DirEntry& entry) const;

 private:
  std::string path_;
  std::string pattern_text_;
  PatternSet patterns_;
  std::vector<std::string> names_;
};

}  // namespace zorvitan
