#include "engine/formats/sitemap/sitemap_dates.h"

#include <system_error>
#include <utility>

#include "engine/formats/sitemap/git_dates.h"
#include "engine/formats/sitemap/sitemap_url.h"
#include "engine/text/foreign_names.h"

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

std::vector<std::string> SitemapDates::Notices(const std::string& site) {
  Wait();
  std::vector<std::string> notices;
  const std::string where = PathForMessage(site, platform_);
  switch (static_cast<GitDates::Status>(git_status_)) {
    case GitDates::Status::kLoaded:
      break;
    case GitDates::Status::kNoGit:
      notices.push_back(platform_.ProgramText(
          "Nie mogę uruchomić programu git: daty (lastmod) wziąłem z czasów plików"));
      break;
    case GitDates::Status::kNotARepository:
      notices.push_back(platform_.ProgramText("Folder nie leży w repozytorium git: ") + where +
                        platform_.ProgramText("; daty (lastmod) wziąłem z czasów plików"));
      break;
    case GitDates::Status::kShallow:
      notices.push_back(platform_.ProgramText(
          "Repozytorium git jest płytką kopią (shallow clone), bez pełnej historii: daty "
          "(lastmod) wziąłem z czasów plików. Pełną historię pobierze: git fetch --unshallow"));
      break;
    case GitDates::Status::kFailed:
      notices.push_back(platform_.ProgramText("Nie mogę odczytać historii git folderu: ") + where +
                        platform_.ProgramText("; daty (lastmod) wziąłem z czasów plików"));
      break;
  }
  if (future_ > 0) {
    notices.push_back(platform_.ProgramText("Pominąłem daty (lastmod) z przyszłości: ") +
                      std::to_string(future_));
  }
  std::size_t most = 0;
  std::int64_t busiest = 0;
  for (const auto& [day, count] : days_) {
    if (count > most || (count == most && day < busiest)) {
      most = count;
      busiest = day;
    }
  }
  if (dated_ >= kSuspectDates && most * 100 >= dated_ * kSuspectPercent) {
    notices.push_back(
        platform_.ProgramText("Uwaga: ") + std::to_string(most) + platform_.ProgramText(" z ") +
        std::to_string(dated_) + platform_.ProgramText(" dat (lastmod) przypada na jeden dzień, ") +
        W3cDateTime(busiest * 86400).substr(0, 10) +
        platform_.ProgramText(
            ": wyszukiwarki nie ufają takim datom. Daty ostatnich zmian z historii git: "
            "--lastmod git; mapa bez dat: --lastmod none"));
  }
  return notices;
}

}  // namespace zorvitan
