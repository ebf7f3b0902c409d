// Each page's last commit time, from one pass of the system's git over the
// work tree the site lies in: what --lastmod git writes. A page changed or
// untracked in the work tree has none (its file time is used).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/platform/program_runner.h"

namespace zorvitan {

class GitDates {
 public:
  enum class Status {
    kLoaded,
    kNoGit,           // git could not be started
    kNotARepository,  // the site lies in no git work tree
    kShallow,         // a shallow clone: its history would give wrong dates
    kFailed,          // git failed while reading the history
  };

  // Whether `site` (the folder with its separator) lies in a git work tree
  // with its whole history: kLoaded when Load() may read it.
  Status Probe(ProgramRunner& runner, const std::string& site);
  // Reads the history. `pages` are the pages' paths relative to the site, in
  // UTF-8 with "/": their dates come in the same order, -1 where none.
  Status Load(ProgramRunner& runner, const std::string& site, const std::vector<std::string>& pages,
              std::vector<std::int64_t>* dates);

 private:
  // Takes git's output piece by piece: NUL-separated items, whatever the
  // pieces' bounds; `pending` holds an item's start until its end comes.
  void Take(const char* data, std::size_t size, bool log, std::string* pending);
  void Item(std::string_view item, bool log);
  // The page a path relative to the work tree's top names; -1 when none.
  long PageOf(std::string_view path) const;

  std::string prefix_;  // the site's path in the work tree, with "/"
  // The pages by their paths (views of Load's `pages`, while it runs).
  std::unordered_map<std::string_view, std::size_t> page_numbers_;
  std::vector<std::int64_t>* dates_ = nullptr;
  std::vector<char> seen_;     // met in the log (written by the log run only)
  std::vector<char> changed_;  // written by the status run only
  std::int64_t commit_time_ = -1;
  char change_ = 0;  // the log's letter for the path that comes next; 0: a letter comes
};

}  // namespace zorvitan
