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
#include "engine/formats/sitemap/sitemap_exclusion_report.h"
#include "engine/formats/sitemap/sitemap_options.h"
#include "engine/formats/sitemap/sitemap_page_rules.h"
#include "engine/formats/sitemap/sitemap_set.h"
#include "engine/run/notices.h"
#include "engine/text/text_conversion.h"
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
  // What reading a page tells of it.
  struct Page {
    bool readable = true;
    LeftOut left_out = LeftOut::kNone;
    std::string detail;       // the URL or rule that left it out
    bool folder_url = false;  // an index page under --strip-index
    bool has_time = false;
    std::int64_t modified = 0;  // the file's time
    std::string url_path;
    std::vector<PastHeadFinding> past_head;  // head elements found after the head ended
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
  // As SitemapBase() gives it: not escaped for XML.
  const std::string& Base() const { return plain_base_; }
  const std::string& RobotsTxtText() const { return robots_txt_; }
  const std::string& ReportText() const { return exclusions_.ReportText(); }
  // For the front end, once every page is taken.
  SitemapNotices Notices();

 private:
  // The page's path in the site as the report and git name it: UTF-8, "/".
  std::string SitePath(const std::string& page) const;
  // Under --strip-index an index page gives its folder's, and says so.
  void UrlPath(const std::string& page, std::string* path, bool* folder_url) const;
  std::string Entry(const std::string& url_path, const std::string& lastmod) const;
  bool NeedsSplit() const;
  SitemapUrl Dated(std::size_t i, const Page& page);

  Platform& platform_;
  const SitemapOptions& options_;
  RunSummary& summary_;
  const bool xml_;
  const std::string& site_;
  TextConverter converter_;  // the head's URLs into UTF-8
  SitemapSet set_;
  std::string plain_base_;
  std::string base_;  // as written: XML-escaped in XML
  const PageList* page_list_ = nullptr;
  std::vector<std::size_t> pages_;  // places in the page list
  bool split_ = false;
  std::string robots_txt_;
  std::unique_ptr<SitemapPageRules> rules_;
  SitemapExclusions exclusions_;
  std::vector<PastHeadFinding> past_head_;             // in page order
  std::vector<std::pair<std::size_t, Page>> waiting_;  // for git's dates
  bool folder_url_given_ = false;  // under --strip-index: the last index page's folder URL
  std::string last_folder_url_;
  std::size_t file_urls_ = 0;  // in the file being filled
  std::size_t file_bytes_ = 0;
  // Last, so it goes first: its git thread reads the page list through this.
  SitemapDates dates_;
};

}  // namespace zorvitan
