// The page index: turns the site folder into the page list, and finds a page's
// title.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/exclusions.h"
#include "engine/page_filter.h"
#include "engine/page_list.h"
#include "engine/platform.h"
#include "engine/window_model.h"

namespace zorvitan {

class PageIndex {
 public:
  // `exclusions`, when given, leaves pages and whole folders out of the walk.
  PageIndex(WindowModel& window, Platform& platform, PageFilter& page_filter, PageList& page_list,
            const Exclusions* exclusions = nullptr);

  // Fills the page list for the whole site: the folders in the walk's
  // pre-order, each folder's matching files in the file list's order. Returns
  // false when the window was closed meanwhile (the list is then incomplete).
  bool IndexPages(const std::string& site_folder);

  // Appends the folder to the registry unless it is there already (letter case
  // ignored where the platform ignores it). Returns whether it was added.
  bool AddFolder(const std::string& folder);

  // The folder registry, in registration order.
  const std::vector<std::string>& Folders() const { return folders_; }
  std::size_t FolderCount() const { return folders_.size(); }

  // Folders met on the walk that could not be listed (with their trailing
  // separator): their pages and the folders below them are missing.
  const std::vector<std::string>& UnopenedFolders() const { return unopened_; }

  // What --exclude left out, by path in the site: matching pages, and
  // folders (with their separator), whose pages were not looked for.
  const std::vector<std::string>& Excluded() const { return excluded_; }

 private:
  struct PendingFolder;
  // Registers the folder and, depth-first, every folder below it. A folder
  // reached again through a link is neither registered nor walked again.
  void ScanFolder(const std::string& folder, const std::string& pattern);
  // Makes the folder's matching files (their names kept by the walk) pages of
  // the page list and completes `folder` with its trailing separator. Returns
  // false when the window was closed meanwhile.
  bool ListFolderPages(std::string& folder, std::size_t name_count);
  void ReadFolder(const std::string& work_path, const std::string& pattern, bool listed,
                  std::vector<DirEntry>* subfolders);

  WindowModel& window_;
  Platform& platform_;
  PageFilter& page_filter_;
  PageList& page_list_;
  const Exclusions* exclusions_;
  char separator_;
  std::size_t site_length_ = 0;  // of the site folder with its separator

  std::vector<std::string> folders_;
  std::unordered_set<std::string> folder_keys_;  // FoldCase of every registered folder
  std::unordered_set<std::string> walked_;       // identities of the real folders walked
  // How many matching names the walk kept for each registered folder, so the
  // listing pass does not read the folder a second time.
  std::vector<std::size_t> name_counts_;
  std::vector<std::string> unopened_;
  std::vector<std::string> excluded_;
};

}  // namespace zorvitan
