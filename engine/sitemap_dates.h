// The <lastmod> of each page under --lastmod: the last commit that touched it
// (git), its file time (mtime), or none; and the notices when dates cannot be
// trusted: a shallow clone, dates in the future, most pages on one day.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/platform.h"
#include "engine/sitemap_options.h"

namespace zorvitan {

class SitemapDates {
 public:
  SitemapDates(Platform& platform, const SitemapOptions& options);

  // Picks the dates' source for the site (the folder with its separator);
  // under git, reads the history of `pages` (paths in the site, UTF-8, "/").
  void Prepare(const std::string& site, const std::vector<std::string>& pages);

  // The date of page `number` (of Prepare's list), full path `page`; false
  // when it has none to write. Safe on two threads at once.
  bool DateOf(std::size_t number, const std::string& page, std::int64_t* seconds,
              bool* future) const;

  // Counts a date as written, or one dropped for lying in the future.
  void Written(std::int64_t seconds);
  void Dropped() { ++future_; }

  // The notices, in the system's code page, for standard error.
  std::vector<std::string> Notices(const std::string& site) const;

  // At least this many dates, this share of them on one day, look made up.
  static constexpr std::size_t kSuspectDates = 100;
  static constexpr std::size_t kSuspectPercent = 90;

 private:
  Platform& platform_;
  const SitemapOptions& options_;
  SitemapOptions::Lastmod source_;
  int git_status_ = 0;  // GitDates::Status when git was asked
  std::vector<std::int64_t> git_dates_;
  std::size_t future_ = 0;
  std::size_t dated_ = 0;
  std::unordered_map<std::int64_t, std::size_t> days_;
};

}  // namespace zorvitan
