// The page list: the full path of every page of the site, in the order found.
//
// Each folder is kept once and each page as its folder's number and its name,
// the names back to back in blocks of a megabyte (no block is ever copied to
// grow): a million pages take tens of megabytes, not hundreds. The walk adds each folder's pages
// as it reads the folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorvitan {

class PageList {
 public:
  PageList() = default;
  // A list of whole paths, each split at its last "\" or "/" (for tests and
  // small tools).
  PageList(const std::vector<std::string>& paths);  // NOLINT: a list of paths is a page list

  std::size_t size() const { return page_folder_.size(); }
  bool empty() const { return page_folder_.empty(); }

  // The full path of page `i`: its folder (with its separator) and its name.
  std::string operator[](std::size_t i) const;
  const std::string& FolderOf(std::size_t i) const { return folders_[page_folder_[i]]; }
  std::string_view NameOf(std::size_t i) const;

  // Adds the pages `names` of `folder` (which ends in its separator), in order.
  void AddPages(const std::string& folder, const std::vector<std::string>& names);

 private:
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

  std::vector<std::string> folders_;
  std::vector<std::string> blocks_;         // the names, back to back
  std::vector<std::uint64_t> name_starts_;  // block * kBlockSize + offset in the block
  std::vector<std::uint32_t> name_lengths_;
  std::vector<std::uint32_t> page_folder_;  // page i: folders_[page_folder_[i]], name i
};

}  // namespace zorvitan
