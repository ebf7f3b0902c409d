#include "engine/formats/sitemap/sitemap_plan.h"

#include <algorithm>
#include <utility>

#include "engine/formats/sitemap/w3c_date.h"
#include "engine/text/markup_escape.h"
#include "engine/text/text_rules.h"

namespace zorvitan {
namespace {

constexpr std::size_t kLastmodLength = 20;  // "2024-05-01T12:34:56Z"

const char kXmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
const char kUrlsetStart[] = "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n";
const char kUrlsetWithLinksStart[] =
    "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\" "
    "xmlns:xhtml=\"http://www.w3.org/1999/xhtml\">\n";
// Held URLs' texts are made this many at a time, one string for them all.
constexpr std::size_t kHeldBatch = 256;
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
  if (xml_ && options_.hreflang) {
    // Under --strip-index or --clean-urls an alternate may name a page by its file's path too.
    HreflangClusters::PageText file_url_path;
    if (options_.strip_index || options_.clean_urls) {
      file_url_path = [this](std::size_t i) {
        std::string path;
        listing_.FileUrlPath((*page_list_)[pages_[i]], &path);
        return path;
      };
    }
    clusters_ = std::make_unique<HreflangClusters>(
        listing_.Base(), pages_.size(), [this](std::size_t i) { return UrlPath(i); },
        [this](std::size_t i) { return listing_.SitePath((*page_list_)[pages_[i]]); },
        std::move(file_url_path));
  }

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
  // Once a page has named alternates, every page is found by its keys.
  if (clusters_ != nullptr && clusters_->Indexing()) {
    std::string file_url_path;
    if (options_.strip_index || options_.clean_urls) listing_.FileUrlPath(page, &file_url_path);
    facts.keys = HreflangClusters::KeysOf(facts.url_path, file_url_path);
  }
  if (facts.left_out != LeftOut::kNone) return facts;
  facts.has_time = facts.readable && dates_.FileTime(page, &facts.modified);
  if (clusters_ != nullptr && !head.in_head.alternates.empty()) {
    facts.alternates = clusters_->Resolve(facts.url_path, head.in_head.alternates, head.base_href);
  }
  return facts;
}

std::string SitemapPlan::Entry(std::string_view url_path, const std::string& lastmod,
                               std::size_t linked_page, bool declare) const {
  std::string entry;
  AppendEntry(url_path, lastmod, linked_page, declare, &entry);
  return entry;
}

void SitemapPlan::AppendEntry(std::string_view url_path, const std::string& lastmod,
                              std::size_t linked_page, bool declare, std::string* entry) const {
  if (!xml_) {
    entry->reserve(entry->size() + base_.size() + url_path.size() + 1);
    entry->append(base_).append(url_path).append("\n");
    return;
  }
  // Room for three links of a like URL, most pages' share, at once.
  entry->reserve(entry->size() + 48 + base_.size() + url_path.size() + lastmod.size() +
                 (linked_page == kNoLinks ? 0 : 3 * (64 + base_.size() + url_path.size())));
  entry->append("<url><loc>").append(base_).append(url_path).append("</loc>");
  if (!lastmod.empty()) entry->append("<lastmod>").append(lastmod).append("</lastmod>");
  if (linked_page != kNoLinks) clusters_->AppendLinks(linked_page, declare, entry);
  entry->append("</url>\n");
}

std::string SitemapPlan::UrlPath(std::size_t i) const {
  std::string path;
  bool folder_url = false;
  listing_.Urls().Path((*page_list_)[pages_[i]], &path, &folder_url);
  return path;
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
  const bool listed = listing_.Take((*page_list_)[pages_[i]], page);
  if (clusters_ != nullptr) clusters_->Taken(i, listed, page.left_out, page.keys);
  if (!listed) return;
  if (!page.alternates.empty()) {
    clusters_->Add(i, page.url_path, page.alternates);
    // From here on every URL waits: room for all of them at once.
    if (!holding_) waiting_.reserve(pages_.size());
    holding_ = true;
  }
  // While git still reads the history, the URLs wait in order and the pages
  // are read on; from the first page with alternates on, they wait for the
  // alternates' checks.
  if (!dates_.Ready() || holding_) {
    waiting_.push_back(
        Held{static_cast<std::uint32_t>(i), page.readable, page.has_time, false, page.modified});
    // Its date now, while the other thread reads on, when the dates are ready.
    if (dates_.Ready()) Choose(&waiting_.back());
    return;
  }
  for (Held& held : waiting_) ready->push_back(HeldUrl(&held));
  waiting_ = {};
  ready->push_back(Dated(i, page));
}

std::size_t SitemapPlan::HeldBatches(bool file_restartable) {
  if (clusters_ != nullptr) {
    clusters_->Check(
        [this](const std::string& path, const std::string& text) { listing_.Note(path, text); });
    links_ = clusters_->AnyLinks();
  }
  for (Held& held : waiting_) Choose(&held);
  if (links_) PlanHeldUrls(file_restartable);
  return (waiting_.size() + kHeldBatch - 1) / kHeldBatch;
}

std::string SitemapPlan::HeldUrlPath(const Held& held) const {
  std::string url_path;
  if (!links_ || !clusters_->AppendUrlPath(held.i, &url_path)) url_path = UrlPath(held.i);
  return url_path;
}

SitemapPlan::HeldTexts SitemapPlan::MakeHeld(std::size_t batch) const {
  HeldTexts texts;
  const std::size_t end = std::min(waiting_.size(), (batch + 1) * kHeldBatch);
  texts.ends.reserve(end - batch * kHeldBatch);
  for (std::size_t k = batch * kHeldBatch; k < end; ++k) {
    const Held& held = waiting_[k];
    AppendEntry(HeldUrlPath(held), Lastmod(held), links_ ? held.i : kNoLinks, declare_on_links_,
                &texts.text);
    texts.ends.push_back(static_cast<std::uint32_t>(texts.text.size()));
  }
  return texts;
}

void SitemapPlan::TakeHeld(std::size_t batch, const HeldTexts& texts,
                           std::vector<SitemapUrl>* ready) {
  std::size_t start = 0;
  for (std::size_t k = 0; k < texts.ends.size(); ++k) {
    const Held& held = waiting_[batch * kHeldBatch + k];
    SitemapUrl url;
    url.held = std::string_view(texts.text).substr(start, texts.ends[k] - start);
    start = texts.ends[k];
    if (links_while_they_fit_ &&
        file_bytes_ + url.held.size() + sizeof kUrlsetEnd - 1 > options_.max_bytes) {
      url.held = {};
      url.entry = Entry(HeldUrlPath(held), Lastmod(held));
    }
    ready->push_back(Placed(std::move(url), held.has_time, held.modified));
  }
  if ((batch + 1) * kHeldBatch >= waiting_.size()) waiting_ = {};
}

void SitemapPlan::PlanHeldUrls(bool file_restartable) {
  bool late_split = false;
  if (!split_) {
    // The alternates' bytes were not known when the split was decided.
    std::size_t bytes = file_urls_ > 0 ? file_bytes_ - FileStartSize(false) : 0;
    bytes += FileStart().size() + sizeof kUrlsetEnd - 1;
    for (const Held& held : waiting_) {
      bytes += Entry(HeldUrlPath(held), Lastmod(held), held.i).size();
      if (bytes > options_.max_bytes) {
        late_split = true;
        break;
      }
    }
  }
  if (file_urls_ == 0) {
    split_ = split_ || late_split;
  } else if (file_restartable) {
    split_ = split_ || late_split;
    restart_next_ = true;
    file_bytes_ += FileStart().size() - FileStartSize(false);
  } else if (split_) {
    new_file_next_ = true;
  } else {
    // Rare: more than a write's worth of URLs went out before the first
    // page with alternates. The namespace goes on each link instead, and a
    // set that cannot be split now takes links only while they fit.
    declare_on_links_ = true;
    links_while_they_fit_ = late_split;
  }
}

void SitemapPlan::Choose(Held* held) {
  if (held->chosen) return;
  std::string lastmod;
  held->has_time =
      DateOf(held->i, held->readable, held->has_time, held->modified, &held->modified, &lastmod);
  held->chosen = true;
}

std::string SitemapPlan::Lastmod(const Held& held) {
  return held.has_time ? W3cDateTime(held.modified) : std::string();
}

SitemapUrl SitemapPlan::HeldUrl(Held* held) {
  Choose(held);
  return Placed(Entry(UrlPath(held->i), Lastmod(*held)), held->has_time, held->modified);
}

bool SitemapPlan::DateOf(std::size_t i, bool readable, bool has_time, std::int64_t modified,
                         std::int64_t* date, std::string* lastmod) {
  // An unreadable page gets no date, as before git.
  return readable &&
         dates_.Choose(
             i, has_time, modified, [this, i] { return (*page_list_)[pages_[i]]; }, date, lastmod);
}

SitemapUrl SitemapPlan::Dated(std::size_t i, const Page& page) {
  std::int64_t date = 0;
  std::string lastmod;
  const bool dated = DateOf(i, page.readable, page.has_time, page.modified, &date, &lastmod);
  return Placed(Entry(page.url_path, lastmod), dated, date);
}

SitemapUrl SitemapPlan::Placed(std::string entry, bool dated, std::int64_t date) {
  SitemapUrl url;
  url.entry = std::move(entry);
  return Placed(std::move(url), dated, date);
}

SitemapUrl SitemapPlan::Placed(SitemapUrl url, bool dated, std::int64_t date) {
  url.dated = dated;
  url.date = date;
  url.restart_file = restart_next_;
  restart_next_ = false;
  const std::size_t end_size = xml_ ? sizeof kUrlsetEnd - 1 : 0;
  url.new_file = file_urls_ == 0 || new_file_next_ ||
                 (split_ && (file_urls_ == options_.max_urls ||
                             file_bytes_ + url.Text().size() + end_size > options_.max_bytes));
  new_file_next_ = false;
  if (url.new_file) {
    file_urls_ = 0;
    file_bytes_ = FileStart().size();
  }
  ++file_urls_;
  file_bytes_ += url.Text().size();
  return url;
}

std::string SitemapPlan::FilePath(std::size_t number) const {
  return split_ ? set_.Part(number) : set_.Map();
}

std::string SitemapPlan::FileStart() const {
  if (!xml_) return std::string();
  return std::string(kXmlDeclaration) + (links_ ? kUrlsetWithLinksStart : kUrlsetStart);
}

std::size_t SitemapPlan::FileStartSize(bool links) const {
  if (!xml_) return 0;
  return sizeof kXmlDeclaration - 1 + (links ? sizeof kUrlsetWithLinksStart : sizeof kUrlsetStart) -
         1;
}

const char* SitemapPlan::FileEnd() const { return xml_ ? kUrlsetEnd : ""; }

ListingNotices SitemapPlan::Notices() {
  ListingNotices notices;
  listing_.Notices(&notices);
  dates_.Notices(&notices);
  if (clusters_ != nullptr) {
    notices.hreflang_problems = clusters_->Problems();
    notices.hreflang_pages_left_out = clusters_->PagesLeftOut();
  }
  notices.site = site_;
  return notices;
}

}  // namespace zorvitan
