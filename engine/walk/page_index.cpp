#include "engine/walk/page_index.h"

#include <algorithm>
#include <utility>

#include "engine/text/text_rules.h"

namespace zorvitan {

PageIndex::PageIndex(const RunInputs& inputs, FileSystem& file_system,
                     const SystemText& system_text, RunProgress& progress)
    : inputs_(inputs),
      file_system_(file_system),
      progress_(progress),
      page_filter_(inputs.patterns),
      exclusions_(inputs.excludes, file_system, system_text),
      separator_(file_system.Separator()) {}

void PageIndex::ReadFolder(const std::string& work_path, bool listed, PageList* pages,
                           std::vector<DirEntry>* subfolders) {
  std::vector<DirEntry> entries;
  std::vector<std::string> names;
  if (!file_system_.ListFolder(work_path, &entries)) {
    unopened_.push_back(work_path);
    return;
  }
  const std::size_t site_length = inputs_.site_folder.size();
  for (DirEntry& entry : entries) {
    if (entry.is_folder) {
      if (entry.name != "." && entry.name != "..") subfolders->push_back(std::move(entry));
    } else if (listed && page_filter_.Accepts(entry)) {
      if (!exclusions_.Empty()) {
        std::string in_site = work_path.substr(site_length) + entry.name;
        if (exclusions_.ExcludesPage(in_site)) {
          excluded_.push_back(std::move(in_site));
          continue;
        }
      }
      names.push_back(std::move(entry.name));
    }
  }
  if (listed) {
    std::sort(names.begin(), names.end(), NameLess);
    pages->AddPages(work_path, names);
  }
  std::sort(subfolders->begin(), subfolders->end(),
            [](const DirEntry& a, const DirEntry& b) { return NameLess(a.name, b.name); });
}

struct PageIndex::PendingFolder {
  std::string work_path;             // the folder with its trailing separator
  std::vector<DirEntry> subfolders;  // in walk order
  std::size_t next = 0;              // the next subfolder to walk
};

// Depth-first and pre-order, as a recursive walk would go, but with an explicit
// stack so a deeply nested tree cannot exhaust the call stack. A folder reached
// again through a link is neither listed nor walked again.
bool PageIndex::IndexPages(PageList* pages) {
  const std::string& site = inputs_.site_folder;
  const std::size_t site_length = site.size();
  std::string identity;
  if (file_system_.FolderIdentity(site, &identity)) walked_.insert(identity);

  std::vector<PendingFolder> stack;
  std::size_t folders = 0;
  auto enter = [&](const std::string& path) {
    if (!progress_.KeepGoing()) return false;
    // A folder met again under another letter case is walked, not listed again.
    const bool listed = folder_keys_.insert(file_system_.FoldCase(path)).second;
    PendingFolder pending;
    pending.work_path = WithSeparator(path, separator_);
    ReadFolder(pending.work_path, listed, pages, &pending.subfolders);
    stack.push_back(std::move(pending));
    if (listed) ++folders;
    progress_.Report(Phase::kWalking, folders, 0);
    return true;
  };

  if (!enter(site)) return false;
  while (!stack.empty()) {
    PendingFolder& top = stack.back();
    if (top.next == top.subfolders.size()) {
      stack.pop_back();
      continue;
    }
    const std::string path = top.work_path + top.subfolders[top.next++].name;
    // An excluded folder is neither listed nor walked.
    if (exclusions_.ExcludesFolder(path.substr(site_length))) {
      excluded_.push_back(path.substr(site_length) + separator_);
      continue;
    }
    if (file_system_.FolderIdentity(path, &identity) && !walked_.insert(identity).second) {
      continue;  // a link back to a folder already walked or being walked
    }
    if (!enter(path)) return false;
  }
  return true;
}

}  // namespace zorvitan
