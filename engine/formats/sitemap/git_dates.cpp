#include "engine/formats/sitemap/git_dates.h"

#include <cstdlib>
#include <cstring>
#include <system_error>
#include <thread>

namespace zorvitan {

GitDates::Status GitDates::Probe(ProgramRunner& runner, const std::string& site) {
  std::string facts;
  const int found =
      runner.RunProgram("git",
                        {"-C", site, "rev-parse", "--is-inside-work-tree",
                         "--is-shallow-repository", "--show-prefix"},
                        [&facts](const char* data, std::size_t size) { facts.append(data, size); });
  if (found < 0) return Status::kNoGit;
  if (found != 0 || facts.compare(0, 5, "true\n") != 0) return Status::kNotARepository;
  if (facts.compare(5, 5, "true\n") == 0) return Status::kShallow;
  prefix_ = facts.substr(facts.find('\n', 5) + 1);
  while (!prefix_.empty() && (prefix_.back() == '\n' || prefix_.back() == '\r')) prefix_.pop_back();
  return Status::kLoaded;
}

GitDates::Status GitDates::Load(ProgramRunner& runner, const std::string& site,
                                const std::vector<std::string>& pages,
                                std::vector<std::int64_t>* dates) {
  dates->assign(pages.size(), -1);
  page_numbers_.clear();
  page_numbers_.reserve(pages.size());
  for (std::size_t i = 0; i < pages.size(); ++i) page_numbers_.emplace(pages[i], i);
  dates_ = dates;
  seen_.assign(pages.size(), 0);
  changed_.assign(pages.size(), 0);

  // Pages changed or added in the work tree, asked beside the log: each git
  // waits on the disk much of its time. Untracked pages need no asking: the
  // log never names them, or names their deletion last.
  int statused = -1;
  std::string status_pending;
  auto status = [&] {
    statused = runner.RunProgram(
        "git",
        {"-C", site, "--no-optional-locks", "status", "--porcelain", "-z", "--untracked-files=no",
         "--no-renames", "--", "."},
        [&](const char* data, std::size_t size) { Take(data, size, false, &status_pending); });
  };
  std::thread status_thread;
  try {
    status_thread = std::thread(status);
  } catch (const std::system_error&) {
    status();  // no thread to be had: one after the other
  }
  // Newest commit first: the first time a page appears is its last change.
  // Only the site's folder, without rename detection, and without touching
  // the index (--no-optional-locks).
  std::string log_pending;
  change_ = 0;
  const int logged = runner.RunProgram(
      "git",
      {"-C", site, "--no-optional-locks", "-c", "log.showSignature=false", "log",
       "--format=%x01%ct", "-z", "--name-status", "--no-renames", "--", "."},
      [&](const char* data, std::size_t size) { Take(data, size, true, &log_pending); });
  if (status_thread.joinable()) status_thread.join();
  page_numbers_.clear();
  if (logged != 0 || statused != 0) return Status::kFailed;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (changed_[i]) (*dates)[i] = -1;
  }
  return Status::kLoaded;
}

void GitDates::Take(const char* data, std::size_t size, bool log, std::string* pending) {
  const char* end = data + size;
  while (data < end) {
    const void* nul = std::memchr(data, '\0', static_cast<std::size_t>(end - data));
    if (nul == nullptr) {
      pending->append(data, end);
      return;
    }
    const char* item_end = static_cast<const char*>(nul);
    pending->append(data, item_end);
    Item(*pending, log);
    pending->clear();
    data = item_end + 1;
  }
}

void GitDates::Item(std::string_view item, bool log) {
  if (!log) {
    // "XY path": any state but unchanged.
    if (item.size() > 3) {
      const long page = PageOf(item.substr(3));
      if (page >= 0) changed_[static_cast<std::size_t>(page)] = 1;
    }
    return;
  }
  if (!item.empty() && item[0] == '\x01') {
    commit_time_ = std::strtoll(std::string(item.substr(1)).c_str(), nullptr, 10);
    change_ = 0;
    return;
  }
  if (change_ == 0) {  // "M", "A", "D", ...; the first of a commit after a line end
    if (!item.empty() && item[0] == '\n') item.remove_prefix(1);
    change_ = item.empty() ? '?' : item[0];
    return;
  }
  const char change = change_;
  change_ = 0;
  const long page = PageOf(item);
  if (page < 0 || seen_[static_cast<std::size_t>(page)]) return;
  seen_[static_cast<std::size_t>(page)] = 1;
  // Deleted last: the page there now is untracked, dated by its file.
  if (change != 'D') (*dates_)[static_cast<std::size_t>(page)] = commit_time_;
}

long GitDates::PageOf(std::string_view path) const {
  if (path.compare(0, prefix_.size(), prefix_) != 0) return -1;
  const auto found = page_numbers_.find(path.substr(prefix_.size()));
  return found == page_numbers_.end() ? -1 : static_cast<long>(found->second);
}

}  // namespace zorvitan
