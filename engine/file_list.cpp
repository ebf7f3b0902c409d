#include "engine/file_list.h"

#include <algorithm>

#include "engine/foreign_names.h"
#include "engine/text_rules.h"

namespace zorvitan {

void FileList::SetPattern(const std::string& patterns) { patterns_ = PatternSet(patterns); }

bool FileList::Accepts(const DirEntry& entry) const {
  return entry.is_file && !entry.is_folder && !entry.hidden && !entry.system &&
         patterns_.Matches(WithoutForeignNameMark(entry.name));
}

void FileList::RefreshFrom(const std::vector<DirEntry>& entries) {
  names_.clear();
  for (const DirEntry& entry : entries) {
    if (Accepts(entry)) names_.push_back(entry.name);
  }
  std::sort(names_.begin(), names_.end(), NameLess);
}

}  // namespace zorvitan
