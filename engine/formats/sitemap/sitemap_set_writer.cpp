#include "engine/formats/sitemap/sitemap_set_writer.h"

#include <utility>

#include "engine/formats/sitemap/w3c_date.h"
#include "engine/listing/robots_txt.h"
#include "engine/page/read_ahead.h"
#include "engine/text/markup_escape.h"
#include "engine/text/text_rules.h"
#include "engine/url/page_url.h"

namespace zorvitan {
namespace {

const char kIndexStart[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<sitemapindex xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n";
const char kIndexEnd[] = "</sitemapindex>\n";

}  // namespace

SitemapSetWriter::SitemapSetWriter(const WriterInputs& inputs, const SitemapOptions& options,
                                   Platform& platform, RunProgress& progress)
    : platform_(platform),
      progress_(progress),
      options_(options),
      site_(inputs.site_folder),
      plan_(inputs, options, platform, &result_.summary),
      output_(platform) {}

WriteResult SitemapSetWriter::Write(const WalkedSite& site) {
  if (!WriteSet(site.pages, site.excluded) && result_.outcome == WriteResult::kWritten) {
    result_.outcome = WriteResult::kFailed;
  }
  result_.failed_file = output_.failed_file();
  result_.summary.pages_found = plan_.size();
  return std::move(result_);
}

bool SitemapSetWriter::WriteSet(const PageList& pages, const std::vector<std::string>& excluded) {
  if (!plan_.Start(pages, excluded)) return output_.Fail(site_ + "robots.txt");
  const std::size_t count = plan_.size();
  bool written = true;
  ReadAheadInOrder<SitemapPlan::Page>(
      count, &chunk_, &helper_chunk_,
      [this](std::size_t i, std::string* chunk) { return plan_.Read(i, chunk); },
      [this, &written](std::size_t i, SitemapPlan::Page&& page) {
        if (!progress_.KeepGoing()) {
          result_.outcome = WriteResult::kStopped;
          return written = false;
        }
        plan_.Take(i, std::move(page), &ready_);
        return written = WriteReady();
      },
      [this, count](std::size_t done) { progress_.Report(Phase::kReading, done, count); });
  if (!written) return false;
  // The URLs held for the alternates' checks (or git's dates): their texts
  // are made on two threads, as the pages were read.
  const std::size_t held_batches = plan_.HeldBatches(output_.Restartable());
  ReadAheadInOrder<SitemapPlan::HeldTexts, SitemapPlan::kHeldBatchesAhead>(
      held_batches, &chunk_, &helper_chunk_,
      [this](std::size_t batch, std::string*) { return plan_.MakeHeld(batch); },
      [this, &written](std::size_t batch, SitemapPlan::HeldTexts&& texts) {
        plan_.TakeHeld(batch, texts, &ready_);
        return written = WriteReady();
      },
      [](std::size_t) {});
  if (!written) return false;
  result_.summary.listing = plan_.Notices();
  const bool report = !options_.report_file.empty();
  if (files_.empty()) {
    // An empty <urlset> is no sitemap: the old one stays; the report says why.
    result_.outcome = WriteResult::kNothingListed;
    if (report && output_.Begin(options_.report_file, plan_.ReportText())) output_.Commit();
    return false;
  }
  output_.text() += plan_.FileEnd();
  // The numbered files go in place first, MAP after them, then the rest.
  if (plan_.Split() && plan_.Xml() && !output_.Begin(plan_.Set().Map(), IndexText())) {
    return false;
  }
  if (report && !output_.Begin(options_.report_file, plan_.ReportText())) return false;
  if (options_.robots_txt && !AddRobotsTxt()) return false;
  if (!output_.Commit()) return false;
  // What is left of a larger set goes; a text sitemap has no index, so a MAP
  // from an earlier run must not stay beside the numbered files as if it
  // were the whole site.
  for (const std::string& stale :
       plan_.Set().PartsAbove(plan_.Split() ? files_.size() : 0, platform_)) {
    platform_.RemoveFile(stale);
  }
  if (plan_.Split() && !plan_.Xml()) platform_.RemoveFile(plan_.Set().Map());
  return true;
}

bool SitemapSetWriter::WriteReady() {
  for (const SitemapUrl& url : ready_) {
    if (url.restart_file) {
      files_.back().path = plan_.FilePath(files_.size());
      if (!output_.Restart(files_.back().path, plan_.FileStart())) return false;
    }
    if (url.new_file) {
      if (!files_.empty()) output_.text() += plan_.FileEnd();
      files_.push_back(UrlFile{plan_.FilePath(files_.size() + 1)});
      if (!output_.Begin(files_.back().path, plan_.FileStart())) return false;
    }
    UrlFile& file = files_.back();
    if (url.dated && (!file.dated || url.date > file.newest)) {
      file.dated = true;
      file.newest = url.date;
    }
    output_.text() += url.Text();
    if (!output_.FlushIfFull()) return false;
  }
  ready_.clear();
  return true;
}

std::string SitemapSetWriter::IndexText() const {
  std::string text = kIndexStart;
  for (const UrlFile& file : files_) {
    text += "<sitemap><loc>";
    AppendEscaped(FileUrl(file.path), EscapeFor::kXml, &text);
    text += "</loc>";
    const std::string newest = file.dated ? W3cDateTime(file.newest) : std::string();
    if (!newest.empty()) text += "<lastmod>" + newest + "</lastmod>";
    text += "</sitemap>\n";
  }
  return text + kIndexEnd;
}

bool SitemapSetWriter::AddRobotsTxt() {
  // The index when there is one; a split text sitemap has none, so each file.
  std::vector<std::string> files;
  if (plan_.Split() && !plan_.Xml()) {
    for (const UrlFile& file : files_) files.push_back(file.path);
  } else {
    files.push_back(plan_.Set().Map());
  }
  std::string text = plan_.RobotsTxtText();
  bool changed = false;
  for (const std::string& file : files) {
    std::string updated;
    if (AddSitemapLine(text, FileUrl(file), &updated)) {
      text = std::move(updated);
      changed = true;
    }
  }
  return !changed || output_.Begin(site_ + "robots.txt", text);
}

std::string SitemapSetWriter::FileUrl(const std::string& path) const {
  const bool in_site =
      platform_.FoldCase(path.substr(0, site_.size())) == platform_.FoldCase(site_);
  const std::string relative = in_site ? path.substr(site_.size())
                                       : path.substr(FolderOf(path, platform_.Separator()).size());
  std::string url = plan_.Base();
  AppendUrlPath(relative, platform_, platform_, &url);
  return url;
}

}  // namespace zorvitan
