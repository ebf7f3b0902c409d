// The <lastmod> of each page under --lastmod: the last commit that touched it
// (git), its file time (mtime), or none; and the notices when dates cannot be
// trusted: a shallow clone, dates in the future, most pages on one day.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "engine/formats/sitemap/git_dates.h"
#include "engine/formats/sitemap/sitemap_options.h"
#include "engine/listing/listing_notices.h"
#include "engine/platform/platform.h"

namespace zorvitan {

class SitemapDates {
 public:
  SitemapDates(Platform& platform, const SitemapOptions& options);
  ~SitemapDates();

  // Whether the dates come from git: asked for (or auto), and the site (the
  // folder with its separator) lies in a work tree with its whole history.
  bool UsesGit(const std::string& site);
  // Starts reading the history of the pages that `pages` names (paths in
  // the site, UTF-8, "/") on a thread of its own, so the pages are read
  // meanwhile; `pages` is called on that thread.
  void Start(std::function<std::vector<std::string>()> pages);

  // Whether Choose() can answer without waiting.
  bool Ready() const { return waited_ || git_done_; }

  // The page's file time, while the pages are read; false when there is none,
  // or it is not needed then: no date is written at all, or git dates the
  // pages (Choose() asks for the few it does not date). Safe on two threads.
  bool FileTime(const std::string& page, std::int64_t* seconds) const;

  // The date written for page `number` (of Start's list), whose file time
  // FileTime() gave (when `has_file_time`) or `page` names; false when none
  // is written. A date in the future is counted and dropped. Waits for the
  // history, the first time.
  bool Choose(std::size_t number, bool has_file_time, std::int64_t file_time,
              const std::function<std::string()>& page, std::int64_t* seconds,
              std::string* lastmod);

  // Why file times were taken, the dates dropped, and a day that holds most
  // dates. Waits for the history, when no page did.
  void Notices(ListingNotices* notices);

  // At least this many dates, this share of them on one day, look made up.
  static constexpr std::size_t kSuspectDates = 100;
  static constexpr std::size_t kSuspectPercent = 90;

 private:
  void Wait();

  Platform& platform_;
  const SitemapOptions& options_;
  SitemapOptions::Lastmod source_;
  std::unique_ptr<GitDates> git_;
  std::thread git_thread_;
  std::atomic<bool> git_done_{false};
  bool waited_ = true;
  bool file_times_later_ = false;  // git was started: FileTime() leaves them to Choose()
  std::string site_;
  int git_status_ = 0;  // GitDates::Status when git was asked
  std::vector<std::int64_t> git_dates_;
  std::size_t future_ = 0;
  std::size_t dated_ = 0;
  std::unordered_map<std::int64_t, std::size_t> days_;
};

}  // namespace zorvitan
