// What a machine sitemap lists: which pages become URLs, with what text and
// date, why the others are left out, and where the set breaks into numbered
// files. URLs are handed on in page order as soon as they can be dated, so a
// large site's are held only while git still reads the history.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/formats/format_writer.h"
#include "engine/formats/sitemap/sitemap_dates.h"
#include "engine/formats/sitemap/sitemap_options.h"
#include "engine/formats/sitemap/sitemap_set.h"
#include "engine/listing/page_listing.h"
#include "engine/run/notices.h"
#include "engine/walk/page_list.h"

namespace zorvitan {

// A URL to be written.
struct SitemapUrl {
  std::string entry;      // its text in the file, with its line end
  bool new_file = false;  // it begins a file of the set
  bool dated = false;
  std::int64_t date = 0;
};

class SitemapPlan {
 public:
  // What reading a page tells of it: what every listing learns, and its time.
  struct Page : ListingFacts {
    bool has_time = false;
    std::int64_t modified = 0;  // the file's time
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
  // now be written; TakeRest() those still waiting once every page is taken.
  void Take(std::size_t i, Page&& page, std::vector<SitemapUrl>* ready);
  void TakeRest(std::vector<SitemapUrl>* ready);

  // File `number` (from 1): MAP, or a numbered file when split.
  std::string FilePath(std::size_t number) const;
  bool Split() const { return split_; }
  bool Xml() const { return xml_; }
  // A file's text before its first URL and after its last.
  std::string FileStart() const;
  const char* FileEnd() const;

  const SitemapSet& Set() const { return set_; }
  // As ListingBase() gives it: not escaped for XML.
  const std::string& Base() const { return listing_.Base(); }
  const std::string& RobotsTxtText() const { return listing_.RobotsTxtText(); }
  const std::string& ReportText() const { return listing_.ReportText(); }
  // For the front end, once every page is taken.
  ListingNotices Notices();

 private:
  std::string Entry(const std::string& url_path, const std::string& lastmod) const;
  bool NeedsSplit() const;
  SitemapUrl Dated(std::size_t i, const Page& page);

  const SitemapOptions& options_;
  const bool xml_;
  const std::string& site_;
  SitemapSet set_;
  PageListing listing_;
  std::string base_;  // as written: XML-escaped in XML
  const PageList* page_list_ = nullptr;
  std::vector<std::size_t> pages_;  // places in the page list
  bool split_ = false;
  std::vector<std::pair<std::size_t, Page>> waiting_;  // for git's dates
  std::size_t file_urls_ = 0;                          // in the file being filled
  std::size_t file_bytes_ = 0;
  // Last, so it goes first: its git thread reads the page list through this.
  SitemapDates dates_;
};

}  // namespace zorvitan
