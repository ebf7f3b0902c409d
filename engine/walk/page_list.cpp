#include "engine/walk/page_list.h"

namespace zorvitan {

PageList::PageList(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    const std::size_t cut = path.find_last_of("\\/") + 1;  // 0 when there is none
    AddPages(path.substr(0, cut), {path.substr(cut)});
  }
}

std::string_view PageList::NameOf(std::size_t i) const {
  const std::uint64_t start = name_starts_[i];
  const std::string& block = blocks_[static_cast<std::size_t>(start / kBlockSize)];
  return std::string_view(block).substr(static_cast<std::size_t>(start % kBlockSize),
                                        name_lengths_[i]);
}

std::string PageList::operator[](std::size_t i) const {
  std::string path = FolderOf(i);
  path += NameOf(i);
  return path;
}

void PageList::AddPages(const std::string& folder, const std::vector<std::string>& names) {
  if (names.empty()) return;
  if (folders_.empty() || folders_.back() != folder) folders_.push_back(folder);
  const auto folder_number = static_cast<std::uint32_t>(folders_.size() - 1);
  page_folder_.insert(page_folder_.end(), names.size(), folder_number);
  for (const std::string& name : names) {
    // A name longer than a block (no file system has one) gets a block of its own.
    if (blocks_.empty() || blocks_.back().size() + name.size() > kBlockSize) {
      blocks_.emplace_back();
      blocks_.back().reserve(name.size() > kBlockSize ? name.size() : kBlockSize);
    }
    std::string& block = blocks_.back();
    name_starts_.push_back(static_cast<std::uint64_t>(blocks_.size() - 1) * kBlockSize +
                           block.size());
    name_lengths_.push_back(static_cast<std::uint32_t>(name.size()));
    block += name;
  }
}

}  // namespace zorvitan
