#include "engine/formats/sitemap/sitemap_plan.h"

#include <algorithm>
#include <utility>

#include "engine/formats/sitemap/sitemap_url.h"
#include "engine/page/file_reading.h"
#include "engine/page/head_reader.h"
#include "engine/text/markup_escape.h"
#include "engine/text/text_rules.h"
#include "engine/url/page_url.h"

namespace zorvitan {
namespace {

constexpr std::size_t kLastmodLength = 20;  // "2024-05-01T12:34:56Z"

const char kXmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
const char kUrlsetStart[] = "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n";
const char kUrlsetEnd[] = "</urlset>\n";

}  // namespace

SitemapPlan::SitemapPlan(const WriterInputs& inputs, const SitemapOptions& options,
                         Platform& platform, RunSummary* summary)
    : platform_(platform),
      options_(options),
      summary_(*summary),
      xml_(options_.format == SitemapOptions::Format::kXml),
      site_(inputs.site_folder),
      converter_(platform, inputs.page_encoding),
      set_(inputs.map_file, xml_ ? ".xml" : ".txt", platform),
      plain_base_(SitemapBase(options_.base_url, platform)),
      dates_(platform, options_) {
  if (xml_) {
    AppendEscaped(plain_base_, EscapeFor::kXml, &base_);
  } else {
    base_ = plain_base_;
  }
}

bool SitemapPlan::Start(const PageList& pages, const std::vector<std::string>& excluded) {
  page_list_ = &pages;
  // The set's own files, from this run's probe or an earlier run, are no pages.
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (!set_.IsMember(pages[i])) pages_.push_back(i);
  }
  split_ = NeedsSplit();

  // The site's own robots.txt: its rules leave pages out, and --robots-txt
  // adds the sitemap to it.
  // A robots.txt that is there but cannot be read cannot be changed.
  const std::string robots_path = site_ + "robots.txt";
  std::int64_t modified = 0;
  const bool robots_exists = platform_.ModifiedTime(robots_path, &modified);
  if (!robots_exists || ReadWholeFile(platform_, robots_path, &robots_txt_) != ReadResult::kOk) {
    if (robots_exists && options_.robots_txt) return false;
    robots_txt_.clear();
  }
  rules_ = std::make_unique<SitemapPageRules>(plain_base_, RobotsTxt(robots_txt_));
  // Git reads the history while the pages are read.
  if (dates_.UsesGit(site_)) {
    dates_.Start([this] {
      std::vector<std::string> paths;
      paths.reserve(pages_.size());
      for (const std::size_t i : pages_) paths.push_back(SitePath((*page_list_)[i]));
      return paths;
    });
  }
  for (const std::string& path : excluded) {
    exclusions_.Add(LeftOut::kExcluded, SitePath(site_ + path));
  }
  return true;
}

std::string SitemapPlan::SitePath(const std::string& page) const {
  return SitePathInUtf8(std::string_view(page).substr(site_.size()), platform_, platform_);
}

SitemapPlan::Page SitemapPlan::Read(std::size_t i, std::string* chunk) const {
  const std::string& page = (*page_list_)[pages_[i]];
  Page facts;
  UrlPath(page, &facts.url_path, &facts.folder_url);
  // What the name decides costs no read.
  facts.left_out = rules_->ByName(page.substr(site_.size()), facts.url_path, &facts.detail);
  if (facts.left_out != LeftOut::kNone) return facts;
  PageHead head;
  facts.readable = ReadPageHead(platform_, page, chunk, kNeedsHead, &head) == ReadResult::kOk;
  HeadUrlsInUtf8(converter_, &head);
  facts.left_out = rules_->ByHead(head, facts.url_path, &facts.detail);
  facts.past_head = PastHeadFindings(head);
  if (facts.left_out != LeftOut::kNone) return facts;
  facts.has_time = facts.readable && dates_.FileTime(page, &facts.modified);
  return facts;
}

void SitemapPlan::UrlPath(const std::string& page, std::string* path, bool* folder_url) const {
  std::string relative = page.substr(site_.size());
  *folder_url = false;
  if (options_.strip_index) {
    const std::string folder = FolderOf(relative, platform_.Separator());
    if (IsIndexName(relative.substr(folder.size()))) {
      *folder_url = true;
      relative.resize(folder.size());
    }
  }
  const std::size_t html = relative.size() - std::min<std::size_t>(relative.size(), 5);
  if (options_.clean_urls && !*folder_url && relative.compare(html, 5, ".html") == 0) {
    relative.resize(html);
  }
  path->clear();
  AppendUrlPath(relative, platform_, platform_, path);
}

std::string SitemapPlan::Entry(const std::string& url_path, const std::string& lastmod) const {
  if (!xml_) return base_ + url_path + "\n";
  std::string entry = "<url><loc>" + base_ + url_path + "</loc>";
  if (!lastmod.empty()) entry += "<lastmod>" + lastmod + "</lastmod>";
  entry += "</url>\n";
  return entry;
}

// Whether the site needs more than one file, taken before any page is read:
// every page counted with a date, as if none asked to be left out.
bool SitemapPlan::NeedsSplit() const {
  if (pages_.size() > options_.max_urls) return true;
  const std::string any_date(kLastmodLength, '0');
  std::size_t bytes = xml_ ? sizeof kXmlDeclaration + sizeof kUrlsetStart + sizeof kUrlsetEnd : 0;
  std::string path;
  bool folder_url = false;
  for (const std::size_t i : pages_) {
    UrlPath((*page_list_)[i], &path, &folder_url);
    bytes += Entry(path, any_date).size();
    if (bytes > options_.max_bytes) return true;
  }
  return false;
}

void SitemapPlan::Take(std::size_t i, Page&& page, std::vector<SitemapUrl>* ready) {
  const std::string& path = (*page_list_)[pages_[i]];
  if (!page.readable) summary_.unreadable_pages.push_back(path);
  // Head elements after the head's end are named on standard error and in
  // the report; a noindex among them has left the page out, and says so there.
  for (PastHeadFinding& finding : page.past_head) {
    finding.page = SitePath(path);
    if (finding.element != "noindex") exclusions_.Note(finding.page, PastHeadText(finding));
    past_head_.push_back(std::move(finding));
  }
  if (page.left_out != LeftOut::kNone) {
    if (page.left_out == LeftOut::kNoindex) ++summary_.noindex_pages;
    exclusions_.Add(page.left_out, SitePath(path), page.detail);
    return;
  }
  // index.htm and index.html side by side give their folder's URL once.
  if (page.folder_url) {
    if (folder_url_given_ && page.url_path == last_folder_url_) return;
    folder_url_given_ = true;
    last_folder_url_ = page.url_path;
  }
  // While git still reads the history, the URLs wait in order and the pages
  // are read on.
  if (!dates_.Ready()) {
    waiting_.emplace_back(i, std::move(page));
    return;
  }
  TakeRest(ready);
  ready->push_back(Dated(i, page));
}

void SitemapPlan::TakeRest(std::vector<SitemapUrl>* ready) {
  for (const auto& [i, page] : waiting_) ready->push_back(Dated(i, page));
  waiting_ = {};
}

SitemapUrl SitemapPlan::Dated(std::size_t i, const Page& page) {
  SitemapUrl url;
  std::string lastmod;
  // An unreadable page gets no date, as before git.
  url.dated =
      page.readable && dates_.Choose(
                           i, page.has_time, page.modified,
                           [this, i] { return (*page_list_)[pages_[i]]; }, &url.date, &lastmod);
  url.entry = Entry(page.url_path, lastmod);
  const std::size_t end_size = xml_ ? sizeof kUrlsetEnd - 1 : 0;
  url.new_file = file_urls_ == 0 ||
                 (split_ && (file_urls_ == options_.max_urls ||
                             file_bytes_ + url.entry.size() + end_size > options_.max_bytes));
  if (url.new_file) {
    file_urls_ = 0;
    file_bytes_ = FileStart().size();
  }
  ++file_urls_;
  file_bytes_ += url.entry.size();
  return url;
}

std::string SitemapPlan::FilePath(std::size_t number) const {
  return split_ ? set_.Part(number) : set_.Map();
}

std::string SitemapPlan::FileStart() const {
  return xml_ ? std::string(kXmlDeclaration) + kUrlsetStart : std::string();
}

const char* SitemapPlan::FileEnd() const { return xml_ ? kUrlsetEnd : ""; }

SitemapNotices SitemapPlan::Notices() {
  SitemapNotices notices;
  notices.past_head = std::move(past_head_);
  for (std::size_t reason = 0; reason < kLeftOutReasons; ++reason) {
    notices.left_out[reason] = exclusions_.Count(static_cast<LeftOut>(reason));
  }
  dates_.Notices(&notices);
  notices.site = site_;
  return notices;
}

}  // namespace zorvitan
