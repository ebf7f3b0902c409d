#include "engine/formats/sitemap/sitemap_plan.h"

#include <algorithm>
#include <utility>

#include "engine/text/markup_escape.h"
#include "engine/text/text_rules.h"

namespace zorvitan {
namespace {

constexpr std::size_t kLastmodLength = 20;  // "2024-05-01T12:34:56Z"

const char kXmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
const char kUrlsetStart[] = "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n";
const char kUrlsetEnd[] = "</urlset>\n";

}  // namespace

SitemapPlan::SitemapPlan(const WriterInputs& inputs, const SitemapOptions& options,
                         Platform& platform, RunSummary* summary)
    : options_(options),
      xml_(options_.format == SitemapOptions::Format::kXml),
      site_(inputs.site_folder),
      set_(inputs.map_file, xml_ ? ".xml" : ".txt", platform),
      listing_(inputs.site_folder, inputs.page_encoding, options_.base_url,
               PageUrlRules{options_.strip_index, options_.clean_urls}, platform, summary),
      dates_(platform, options_) {
  if (xml_) {
    AppendEscaped(listing_.Base(), EscapeFor::kXml, &base_);
  } else {
    base_ = listing_.Base();
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
  if (!listing_.Start(excluded) && options_.robots_txt) return false;
  // Git reads the history while the pages are read.
  if (dates_.UsesGit(site_)) {
    dates_.Start([this] {
      std::vector<std::string> paths;
      paths.reserve(pages_.size());
      for (const std::size_t i : pages_) paths.push_back(listing_.SitePath((*page_list_)[i]));
      return paths;
    });
  }
  return true;
}

SitemapPlan::Page SitemapPlan::Read(std::size_t i, std::string* chunk) const {
  const std::string& page = (*page_list_)[pages_[i]];
  Page facts;
  PageHead head;
  static_cast<ListingFacts&>(facts) = listing_.Read(page, kNeedsHead, chunk, &head);
  if (facts.left_out != LeftOut::kNone) return facts;
  facts.has_time = facts.readable && dates_.FileTime(page, &facts.modified);
  return facts;
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
    listing_.Urls().Path((*page_list_)[i], &path, &folder_url);
    bytes += Entry(path, any_date).size();
    if (bytes > options_.max_bytes) return true;
  }
  return false;
}

void SitemapPlan::Take(std::size_t i, Page&& page, std::vector<SitemapUrl>* ready) {
  if (!listing_.Take((*page_list_)[pages_[i]], page)) return;
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

ListingNotices SitemapPlan::Notices() {
  ListingNotices notices;
  listing_.Notices(&notices);
  dates_.Notices(&notices);
  notices.site = site_;
  return notices;
}

}  // namespace zorvitan
