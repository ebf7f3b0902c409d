#include "engine/formats/sitemap/sitemap_dates.h"

#include <system_error>
#include <utility>

#include "engine/formats/sitemap/git_dates.h"
#include "engine/formats/sitemap/w3c_date.h"

namespace zorvitan {

SitemapDates::SitemapDates(Platform& platform, const SitemapOptions& options)
    : platform_(platform), options_(options), source_(options.lastmod) {}

SitemapDates::~SitemapDates() { Wait(); }

bool SitemapDates::UsesGit(const std::string& site) {
  if (source_ != SitemapOptions::Lastmod::kGit && source_ != SitemapOptions::Lastmod::kAuto) {
    return false;
  }
  site_ = site;
  git_ = std::make_unique<GitDates>();
  git_status_ = static_cast<int>(git_->Probe(platform_, site));
  waited_ = false;
  if (git_status_ == static_cast<int>(GitDates::Status::kLoaded)) return true;
  Wait();
  return false;
}

void SitemapDates::Start(std::function<std::vector<std::string>()> pages) {
  file_times_later_ = true;
  auto load = [this, pages = std::move(pages)] {
    git_status_ = static_cast<int>(git_->Load(platform_, site_, pages(), &git_dates_));
    git_done_ = true;
  };
  try {
    git_thread_ = std::thread(load);
  } catch (const std::system_error&) {
    load();  // no thread to be had: before the pages are read
  }
}

void SitemapDates::Wait() {
  if (waited_) return;
  waited_ = true;
  if (git_thread_.joinable()) git_thread_.join();
  git_.reset();
  using Lastmod = SitemapOptions::Lastmod;
  const auto status = static_cast<GitDates::Status>(git_status_);
  if (status == GitDates::Status::kLoaded) {
    source_ = Lastmod::kGit;
    return;
  }
  git_dates_.clear();
  // Outside a work tree (or without git), auto quietly means file times;
  // asked for git, or in a shallow clone, a notice says why they are used.
  if (source_ == Lastmod::kAuto && status != GitDates::Status::kShallow) git_status_ = 0;
  source_ = Lastmod::kMtime;
}

bool SitemapDates::FileTime(const std::string& page, std::int64_t* seconds) const {
  return options_.lastmod != SitemapOptions::Lastmod::kNone && !file_times_later_ &&
         platform_.ModifiedTime(page, seconds);
}

bool SitemapDates::Choose(std::size_t number, bool has_file_time, std::int64_t file_time,
                          const std::function<std::string()>& page, std::int64_t* seconds,
                          std::string* lastmod) {
  Wait();
  if (source_ == SitemapOptions::Lastmod::kNone) return false;
  if (source_ == SitemapOptions::Lastmod::kGit && git_dates_[number] >= 0) {
    *seconds = git_dates_[number];
  } else if (has_file_time) {
    *seconds = file_time;
  } else if (!file_times_later_ || !platform_.ModifiedTime(page(), seconds)) {
    return false;
  }
  if (*seconds > options_.now) {
    ++future_;
    return false;
  }
  *lastmod = W3cDateTime(*seconds);
  if (lastmod->empty()) return false;  // outside the years 1 to 9999
  ++dated_;
  const std::int64_t day = *seconds >= 0 ? *seconds / 86400 : (*seconds - 86399) / 86400;
  ++days_[day];
  return true;
}

void SitemapDates::Notices(ListingNotices* notices) {
  Wait();
  switch (static_cast<GitDates::Status>(git_status_)) {
    case GitDates::Status::kLoaded:
      break;
    case GitDates::Status::kNoGit:
      notices->dates_fallback = DatesFallback::kNoGit;
      break;
    case GitDates::Status::kNotARepository:
      notices->dates_fallback = DatesFallback::kNotARepository;
      break;
    case GitDates::Status::kShallow:
      notices->dates_fallback = DatesFallback::kShallow;
      break;
    case GitDates::Status::kFailed:
      notices->dates_fallback = DatesFallback::kGitFailed;
      break;
  }
  notices->future_dates = future_;
  std::size_t most = 0;
  std::int64_t busiest = 0;
  for (const auto& [day, count] : days_) {
    if (count > most || (count == most && day < busiest)) {
      most = count;
      busiest = day;
    }
  }
  if (dated_ >= kSuspectDates && most * 100 >= dated_ * kSuspectPercent) {
    notices->one_day_dates = most;
    notices->dated = dated_;
    notices->one_day = W3cDateTime(busiest * 86400).substr(0, 10);
  }
}

}  // namespace zorvitan
