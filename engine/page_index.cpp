#include "engine/page_index.h"

#include <algorithm>
#include <utility>

#include "engine/pattern.h"
#include "engine/text_rules.h"

namespace zorvitan {

namespace {
const char kWalkPattern[] = "*.*";
}  // namespace

PageIndex::PageIndex(WindowModel& window, Platform& platform, FileList& file_list,
                     std::vector<std::string>& page_list, const Exclusions* exclusions)
    : window_(window),
      platform_(platform),
      file_list_(file_list),
      page_list_(page_list),
      exclusions_(exclusions != nullptr && !exclusions->Empty() ? exclusions : nullptr),
      separator_(platform.Separator()) {}

bool PageIndex::IndexPages(const std::string& site_folder) {
  file_list_.SetPattern(window_.Text(Field::kPatterns));
  folders_.clear();
  folder_keys_.clear();
  walked_.clear();
  listings_.clear();
  unopened_.clear();
  site_length_ = WithSeparator(site_folder, separator_).size();

  ScanFolder(site_folder, kWalkPattern);

  const std::size_t count = folders_.size();
  for (std::size_t i = 0; i < count; ++i) {
    const bool open = ListFolderPages(folders_[i], listings_[i]);
    listings_[i].clear();
    listings_[i].shrink_to_fit();
    if (!open || !window_.DoEvents()) return false;
    window_.ReportProgress(Phase::kListing, i + 1, count);
  }
  return true;
}

bool PageIndex::AddFolder(const std::string& folder) {
  if (!folder_keys_.insert(platform_.FoldCase(folder)).second) return false;
  folders_.push_back(folder);
  listings_.emplace_back();
  return true;
}

// Reads one folder once: its matching files go to `files` (when given), its
// subfolders, sorted, to `subfolders`.
void PageIndex::ReadFolder(const std::string& work_path, const std::string& pattern,
                           std::vector<DirEntry>* files, std::vector<DirEntry>* subfolders) {
  std::vector<DirEntry> entries;
  if (!platform_.ListFolder(work_path, &entries)) {
    unopened_.push_back(work_path);
    return;
  }
  for (DirEntry& entry : entries) {
    if (entry.is_folder) {
      if (entry.name != "." && entry.name != ".." && MatchPattern(pattern, entry.name)) {
        subfolders->push_back(std::move(entry));
      }
    } else if (files != nullptr && file_list_.Accepts(entry) &&
               !(exclusions_ &&
                 exclusions_->ExcludesPage(work_path.substr(site_length_) + entry.name))) {
      files->push_back(std::move(entry));
    }
  }
  std::sort(subfolders->begin(), subfolders->end(),
            [](const DirEntry& a, const DirEntry& b) { return NameLess(a.name, b.name); });
}

struct PageIndex::PendingFolder {
  std::string work_path;             // the folder with its trailing separator
  std::vector<DirEntry> subfolders;  // in walk order
  std::size_t next = 0;              // the next subfolder to walk
};

void PageIndex::ScanFolder(const std::string& folder, const std::string& pattern) {
  // Depth-first and pre-order, as a recursive walk would go, but with an
  // explicit stack so a deeply nested tree cannot exhaust the call stack.
  std::string identity;
  if (platform_.FolderIdentity(folder, &identity)) walked_.insert(identity);

  std::vector<PendingFolder> stack;
  auto enter = [&](const std::string& path) {
    const bool added = AddFolder(path);
    PendingFolder pending;
    pending.work_path = WithSeparator(path, separator_);
    ReadFolder(pending.work_path, pattern, added ? &listings_.back() : nullptr,
               &pending.subfolders);
    stack.push_back(std::move(pending));
    window_.ReportProgress(Phase::kWalking, folders_.size(), 0);
  };

  enter(folder);
  while (!stack.empty()) {
    PendingFolder& top = stack.back();
    if (top.next == top.subfolders.size()) {
      stack.pop_back();
      continue;
    }
    const std::string path = top.work_path + top.subfolders[top.next++].name;
    // An excluded folder is neither listed nor walked.
    if (exclusions_ && exclusions_->ExcludesFolder(path.substr(site_length_))) continue;
    if (platform_.FolderIdentity(path, &identity) && !walked_.insert(identity).second) {
      continue;  // a link back to a folder already walked or being walked
    }
    enter(path);
  }
}

bool PageIndex::ListFolderPages(std::string& folder, const std::vector<DirEntry>& listing) {
  if (!window_.DoEvents()) return false;
  file_list_.RefreshFrom(listing);
  if (!window_.DoEvents()) return false;
  folder = WithSeparator(folder, separator_);
  const std::size_t count = file_list_.ListCount();
  for (std::size_t i = 0; i < count; ++i) page_list_.push_back(folder + file_list_.List(i));
  return true;
}

}  // namespace zorvitan
