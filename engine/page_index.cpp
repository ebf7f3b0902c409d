#include "engine/page_index.h"

#include <algorithm>
#include <utility>

#include "engine/pattern.h"
#include "engine/text_rules.h"

namespace zorvitan {

namespace {
const char kWalkPattern[] = "*.*";
}  // namespace

PageIndex::PageIndex(WindowModel& window, Platform& platform, PageFilter& page_filter,
                     PageList& page_list, const Exclusions* exclusions)
    : window_(window),
      platform_(platform),
      page_filter_(page_filter),
      page_list_(page_list),
      exclusions_(exclusions != nullptr && !exclusions->Empty() ? exclusions : nullptr),
      separator_(platform.Separator()) {}

bool PageIndex::IndexPages(const std::string& site_folder) {
  page_filter_.SetPattern(window_.Text(Field::kPatterns));
  folders_.clear();
  folder_keys_.clear();
  walked_.clear();
  name_counts_.clear();
  unopened_.clear();
  excluded_.clear();
  site_length_ = WithSeparator(site_folder, separator_).size();

  ScanFolder(site_folder, kWalkPattern);

  const std::size_t count = folders_.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (!ListFolderPages(folders_[i], name_counts_[i]) || !window_.DoEvents()) return false;
    window_.ReportProgress(Phase::kListing, i + 1, count);
  }
  return true;
}

bool PageIndex::AddFolder(const std::string& folder) {
  if (!folder_keys_.insert(platform_.FoldCase(folder)).second) return false;
  folders_.push_back(folder);
  name_counts_.push_back(0);
  return true;
}

// Reads one folder once: the names of its matching files, sorted, go to the
// page list's names when `listed` (a folder registered now), its subfolders,
// sorted, to `subfolders`.
void PageIndex::ReadFolder(const std::string& work_path, const std::string& pattern, bool listed,
                           std::vector<DirEntry>* subfolders) {
  std::vector<DirEntry> entries;
  std::vector<std::string> names;
  if (!platform_.ListFolder(work_path, &entries)) {
    unopened_.push_back(work_path);
    return;
  }
  for (DirEntry& entry : entries) {
    if (entry.is_folder) {
      if (entry.name != "." && entry.name != ".." && MatchPattern(pattern, entry.name)) {
        subfolders->push_back(std::move(entry));
      }
    } else if (listed && page_filter_.Accepts(entry)) {
      if (exclusions_ && exclusions_->ExcludesPage(work_path.substr(site_length_) + entry.name)) {
        excluded_.push_back(work_path.substr(site_length_) + entry.name);
      } else {
        names.push_back(std::move(entry.name));
      }
    }
  }
  if (listed) {
    std::sort(names.begin(), names.end(), NameLess);
    page_list_.AddNames(names);
    name_counts_.back() = names.size();
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
    ReadFolder(pending.work_path, pattern, added, &pending.subfolders);
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
    if (exclusions_ && exclusions_->ExcludesFolder(path.substr(site_length_))) {
      excluded_.push_back(path.substr(site_length_) + separator_);
      continue;
    }
    if (platform_.FolderIdentity(path, &identity) && !walked_.insert(identity).second) {
      continue;  // a link back to a folder already walked or being walked
    }
    enter(path);
  }
}

bool PageIndex::ListFolderPages(std::string& folder, std::size_t name_count) {
  if (!window_.DoEvents()) return false;
  if (!window_.DoEvents()) return false;
  folder = WithSeparator(folder, separator_);
  page_list_.AddPages(folder, name_count);
  return true;
}

}  // namespace zorvitan
