// The page index: walks the site folder into the page list.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/platform/file_system.h"
#include "engine/platform/system_text.h"
#include "engine/run/run_inputs.h"
#include "engine/run/run_progress.h"
#include "engine/walk/exclusions.h"
#include "engine/walk/page_filter.h"
#include "engine/walk/page_list.h"

namespace zorvitan {

class PageIndex {
 public:
  // The site folder (with its separator), the patterns and the exclusions come
  // from `inputs`.
  // `system_text` tells how names are marked, for the exclusions.
  PageIndex(const RunInputs& inputs, FileSystem& file_system, const SystemText& system_text,
            RunProgress& progress);

  // Fills the page list for the whole site: the folders in the walk's
  // pre-order, each folder's matching files sorted by name. Returns false when
  // the front end said not to go on (the list is then incomplete).
  bool IndexPages(PageList* pages);

  // Folders met on the walk that could not be listed (with their trailing
  // separator): their pages and the folders below them are missing.
  const std::vector<std::string>& UnopenedFolders() const { return unopened_; }

  // What --exclude left out, by path in the site: matching pages, and
  // folders (with their separator), whose pages were not looked for.
  const std::vector<std::string>& Excluded() const { return excluded_; }

 private:
  struct PendingFolder;
  // Reads one folder once: its matching files become pages when `listed`,
  // its subfolders, sorted, go to `subfolders`.
  void ReadFolder(const std::string& work_path, bool listed, PageList* pages,
                  std::vector<DirEntry>* subfolders);

  const RunInputs& inputs_;
  FileSystem& file_system_;
  RunProgress& progress_;
  PageFilter page_filter_;
  Exclusions exclusions_;
  char separator_;

  std::unordered_set<std::string> folder_keys_;  // FoldCase of every folder listed
  std::unordered_set<std::string> walked_;       // identities of the real folders walked
  std::vector<std::string> unopened_;
  std::vector<std::string> excluded_;
};

}  // namespace zorvitan
