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
  void SetPattern(const std::string& patterns);

  // Takes the folder's entries from a listing already made (the walk's), so a
  // folder is read once per run.
  void RefreshFrom(const std::vector<DirEntry>& entries);

  std::size_t ListCount() const { return names_.size(); }
  const std::string& List(std::size_t index) const { return names_[index]; }

  // Whether the entry is one the control lists.
  bool Accepts(const DirEntry& entry) const;

 private:
  PatternSet patterns_;
  std::vector<std::string> names_;
};

}  // namespace zorvitan
