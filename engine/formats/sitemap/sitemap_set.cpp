#include "engine/formats/sitemap/sitemap_set.h"

#include "engine/text/text_rules.h"

namespace zorvitan {

SitemapSet::SitemapSet(const std::string& map, const std::string& extension,
                       const FileSystem& file_system)
    : file_system_(file_system),
      map_(map),
      folder_(FolderOf(map, file_system.Separator())),
      folded_map_(file_system.FoldCase(map)),
      folded_folder_(file_system.FoldCase(folder_)) {
  const std::string name = map.substr(folder_.size());
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) {
    stem_ = name;
    extension_ = extension;
  } else {
    stem_ = name.substr(0, dot);
    extension_ = name.substr(dot);
  }
}

std::string SitemapSet::Part(std::size_t number) const {
  return folder_ + stem_ + "-" + std::to_string(number) + extension_;
}

std::size_t SitemapSet::NumberOf(const std::string& name) const {
  const std::string folded = file_system_.FoldCase(name);
  const std::string head = file_system_.FoldCase(stem_ + "-");
  const std::string tail = file_system_.FoldCase(extension_);
  if (folded.size() <= head.size() + tail.size() || folded.compare(0, head.size(), head) != 0 ||
      folded.compare(folded.size() - tail.size(), tail.size(), tail) != 0) {
    return 0;
  }
  const std::string digits = folded.substr(head.size(), folded.size() - head.size() - tail.size());
  // Only the names this program gives: no leading zero, no sign.
  if (digits[0] == '0' || digits.size() > 9) return 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return 0;
  }
  return static_cast<std::size_t>(std::stoul(digits));
}

bool SitemapSet::IsMember(const std::string& path) const {
  // Most pages lie in other folders: told apart without folding the path.
  if (path.size() <= folder_.size() ||
      path.find(file_system_.Separator(), folder_.size()) != std::string::npos ||
      file_system_.FoldCase(path.substr(0, folder_.size())) != folded_folder_) {
    return false;
  }
  return file_system_.FoldCase(path) == folded_map_ || NumberOf(path.substr(folder_.size())) > 0;
}

std::vector<std::string> SitemapSet::PartsAbove(std::size_t last, FileSystem& file_system) const {
  std::vector<std::string> stale;
  std::vector<DirEntry> entries;
  if (!file_system.ListFolder(folder_, &entries)) return stale;
  for (const DirEntry& entry : entries) {
    if (entry.is_file && !entry.is_folder && NumberOf(entry.name) > last) {
      stale.push_back(folder_ + entry.name);
    }
  }
  return stale;
}

}  // namespace zorvitan
