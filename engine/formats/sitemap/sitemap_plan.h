// What a machine sitemap lists: which pages become URLs, with what text and
// date, why the others are left out, and where the set breaks into numbered
// files. URLs are handed on in page order as soon as they can be dated, so a
// large site's are held only while git still reads the history, or, from the
// first page that names hreflang alternates on, until every page has been
// read and the alternates checked. A held URL is a page number and its date.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/formats/format_writer.h"
#include "engine/formats/sitemap/sitemap_dates.h"
#include "engine/formats/sitemap/sitemap_options.h"
#include "engine/formats/sitemap/sitemap_set.h"
#include "engine/listing/hreflang_clusters.h"
#include "engine/listing/page_listing.h"
#include "engine/run/notices.h"
#include "engine/walk/page_list.h"

namespace zorvitan {

// A URL to be written.
struct SitemapUrl {
  std::string entry;      // its text in the file, with its line end
  std::string_view held;  // or a held URL's, in its batch's texts until written
  std::string_view Text() const { return held.empty() ? std::string_view(entry) : held; }
  bool new_file = false;  // it begins a file of the set
  // The file being written is written at FilePath() of its number instead,
  // with FileStart(): it lacked the xhtml namespace, or the set is split
  // after all by the alternates' bytes.
  bool restart_file = false;
  bool dated = false;
  std::int64_t date = 0;
};

class SitemapPlan {
 public:
  // What reading a page tells of it: what every listing learns, and its time.
  struct Page : ListingFacts {
    bool has_time = false;
    std::int64_t modified = 0;  // the file's time
    // For the XML with hreflang.
    HreflangClusters::PageKeys keys;
    ResolvedAlternates alternates;
  };

  // Unreadable and noindex pages are counted into `summary`.
  SitemapPlan(const WriterInputs& inputs, const SitemapOptions& options, Platform& platform,
              RunSummary* summary);

  // Takes the pages but the set's own files and --exclude's (paths in the
  // site), reads robots.txt and starts git; false when --robots-txt must
  // change a robots.txt that cannot be read.
  bool Start(const PageList& pages, const std::vector<std::string>& excluded);

  // The pages to read, and page `i` read (on either reading thread).
  std::size_t size() const { return pages_.size(); }
  Page Read(std::size_t i, std::string* chunk) const;
  // Takes page `i`, in page order, and appends to `ready` the URLs that can
  // now be written.
  void Take(std::size_t i, Page&& page, std::vector<SitemapUrl>* ready);
  // Once every page is taken, the URLs still held go in batches: this
  // checks the alternates, dates the held URLs and tells how many batches
  // there are; `file_restartable` tells whether the file being written can
  // still be restarted (FileSetOutput::Restartable()). Each batch, taken in
  // order, appends its URLs to `ready`.
  std::size_t HeldBatches(bool file_restartable);
  struct HeldTexts {
    std::string text;                 // the batch's URLs, one after the other
    std::vector<std::uint32_t> ends;  // where each ends in text
  };
  // A batch's texts are made on either thread; taken in order, the batch
  // appends its URLs to `ready`, which refer to `texts` until written.
  HeldTexts MakeHeld(std::size_t batch) const;
  void TakeHeld(std::size_t batch, const HeldTexts& texts, std::vector<SitemapUrl>* ready);
  // Batches made but not yet taken, at most: a few, for their memory.
  static constexpr std::size_t kHeldBatchesAhead = 4;

  // File `number` (from 1): MAP, or a numbered file when split.
  std::string FilePath(std::size_t number) const;
  bool Split() const { return split_; }
  bool Xml() const { return xml_; }
  // A file's text before its first URL and after its last.
  std::string FileStart() const;
  // Its size, with the xhtml namespace or without.
  std::size_t FileStartSize(bool links) const;
  const char* FileEnd() const;

  const SitemapSet& Set() const { return set_; }
  // As ListingBase() gives it: not escaped for XML.
  const std::string& Base() const { return listing_.Base(); }
  const std::string& RobotsTxtText() const { return listing_.RobotsTxtText(); }
  const std::string& ReportText() const { return listing_.ReportText(); }
  // For the front end, once every page is taken.
  ListingNotices Notices();

 private:
  // A URL held: its page, and whether its date is chosen yet.
  struct Held {
    std::uint32_t i;
    bool readable;
    bool has_time;  // once chosen: whether it is dated
    bool chosen;
    std::int64_t modified;  // once chosen: the date
  };

  static constexpr std::size_t kNoLinks = static_cast<std::size_t>(-1);
  // A URL's text; with the <xhtml:link>s of page `linked_page`, when given.
  std::string Entry(std::string_view url_path, const std::string& lastmod,
                    std::size_t linked_page = kNoLinks, bool declare = false) const;
  void AppendEntry(std::string_view url_path, const std::string& lastmod, std::size_t linked_page,
                   bool declare, std::string* entry) const;
  // A held URL's URL path, and its date as written once chosen.
  std::string HeldUrlPath(const Held& held) const;
  static std::string Lastmod(const Held& held);
  bool NeedsSplit() const;
  std::string UrlPath(std::size_t i) const;
  // The date written for page `i`; false for none.
  bool DateOf(std::size_t i, bool readable, bool has_time, std::int64_t modified,
              std::int64_t* date, std::string* lastmod);
  void Choose(Held* held);
  SitemapUrl Dated(std::size_t i, const Page& page);
  // The URL with its place in the set: whether it begins a file.
  SitemapUrl Placed(std::string entry, bool dated, std::int64_t date);
  SitemapUrl Placed(SitemapUrl url, bool dated, std::int64_t date);
  SitemapUrl HeldUrl(Held* held);
  // Before the first held URL goes, once the alternates are checked: whether
  // the set is split after all, and how the file being written gets the
  // xhtml namespace.
  void PlanHeldUrls(bool file_restartable);

  const SitemapOptions& options_;
  const bool xml_;
  const std::string& site_;
  SitemapSet set_;
  PageListing listing_;
  std::string base_;  // as written: XML-escaped in XML
  const PageList* page_list_ = nullptr;
  std::vector<std::size_t> pages_;  // places in the page list
  bool split_ = false;
  std::unique_ptr<HreflangClusters> clusters_;  // XML with hreflang
  bool holding_ = false;                        // a page named alternates
  std::vector<Held> waiting_;                   // for git's dates or the alternates' checks
  bool links_ = false;                          // some URL has links: the namespace is declared
  bool restart_next_ = false;                   // the next URL restarts the file being written
  bool new_file_next_ = false;                  // the next URL begins a file
  bool declare_on_links_ = false;               // the file being written lacks the namespace
  bool links_while_they_fit_ = false;  // that file cannot be split: links only within its limit
  std::size_t file_urls_ = 0;          // in the file being filled
  std::size_t file_bytes_ = 0;
  // Last, so it goes first: its git thread reads the page list through this.
  SitemapDates dates_;
};

}  // namespace zorvitan
