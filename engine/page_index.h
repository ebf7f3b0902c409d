// The page index: turns the site folder into the page list, and finds a page's
// title.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/exclusions.h"
#include "engine/file_list.h"
#include "engine/platform.h"
#include "engine/window_model.h"

namespace zorvitan {

class PageIndex {
 public:
  // `exclusions`, when given, leaves pages and whole folders out of the walk.
  PageIndex(WindowModel& window, Platform& platform, FileList& file_list,
            std::vector<std::string>& page_list, const Exclusions* exclusions = nullptr);

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

 private:
  struct PendingFolder;
  // Registers the folder and, depth-first, every folder below it. A folder
  // reached again through a link is neither registered nor walked again.
  void ScanFolder(const std::string& folder, const std::string& pattern);
  // Appends the full paths of the folder's matching files (from the walk's
  // listing) to the page list and completes `folder` with its trailing
  // separator. Returns false when the window was closed meanwhile.
  bool ListFolderPages(std::string& folder, const std::vector<DirEntry>& listing);
  void ReadFolder(const std::string& work_path, const std::string& pattern,
                  std::vector<DirEntry>* files, std::vector<DirEntry>* subfolders);

  WindowModel& window_;
  Platform& platform_;
  FileList& file_list_;
  std::vector<std::string>& page_list_;
  const Exclusions* exclusions_;
  char separator_;
  std::size_t site_length_ = 0;  // of the site folder with its separator

  std::vector<std::string> folders_;
  std::unordered_set<std::string> folder_keys_;  // FoldCase of every registered folder
  std::unordered_set<std::string> walked_;       // identities of the real folders walked
  // Each registered folder's matching files, from the walk, so the listing
  // pass does not read the folder a second time.
  std::vector<std::vector<DirEntry>> listings_;
  std::vector<std::string> unopened_;
};

}  // namespace zorvitan
