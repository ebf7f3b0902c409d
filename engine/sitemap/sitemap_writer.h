// The machine sitemap: the page list as sitemaps.org 0.9 XML (<urlset>) or as
// text, one URL per line. Pages that ask not to be indexed are left out. A
// site that needs more than one file gets numbered files beside MAP, and MAP
// becomes their <sitemapindex> (text has no index: MAP then goes). The whole
// set is written first and then put in place, so a failure keeps the old one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/page_list.h"
#include "engine/platform.h"
#include "engine/run_inputs.h"
#include "engine/run_progress.h"
#include "engine/sitemap/sitemap_dates.h"
#include "engine/sitemap/sitemap_exclusion_report.h"
#include "engine/sitemap/sitemap_options.h"
#include "engine/sitemap/sitemap_page_rules.h"
#include "engine/sitemap/sitemap_set.h"
#include "engine/write_result.h"

namespace zorvitan {

class SitemapWriter {
 public:
  // The site folder (with its separator), MAP and the sitemap's settings
  // (`inputs.sitemap`, which must be set) come from `inputs`.
  SitemapWriter(const RunInputs& inputs, Platform& platform, RunProgress& progress);
  ~SitemapWriter();

  // Writes the whole set; the old set stays untouched when it could not, when
  // the front end said not to go on, or when no page is left to list
  // (kNothingListed). The pages found leave out the sitemap's own files; pages
  // that could not be read are listed, since nothing said otherwise.
  // `excluded` names what --exclude left out of the walk, by path in the site
  // (the platform's separators), pages and folders: the report's first lines.
  WriteResult Write(const PageList& pages, const std::vector<std::string>& excluded);

 private:
  // What the reading threads learn of a page, and its URL and date as written.
  struct PageFacts {
    bool readable = true;
    LeftOut left_out = LeftOut::kNone;
    std::string detail;       // the URL or rule that left it out
    bool folder_url = false;  // an index page under --strip-index
    bool has_time = false;
    std::int64_t modified = 0;  // the file's time
    std::string url_path;
    std::vector<std::string> past_head;  // head elements found after the head ended
  };
  // One file of the set while it is written.
  struct Part {
    std::string path;
    std::unique_ptr<FileReplacement> output;
    std::size_t urls = 0;
    std::size_t bytes = 0;
    bool has_time = false;
    std::int64_t newest = 0;
  };
  // A URL to be listed, with what its date is chosen from.
  struct Listed {
    std::size_t number;  // of the page in pages_
    std::string url_path;
    bool readable;
    bool has_time;
    std::int64_t file_time;
  };

  // Write() but for its result: false when it failed, was stopped or found
  // nothing to list.
  bool WriteSet(const std::vector<std::string>& excluded);
  PageFacts ReadFacts(const std::string& page, std::string* chunk);
  // The page's path in the site as the report and git name it: UTF-8, "/".
  std::string SitePath(const std::string& page) const;
  // Where a file of the set is published: the base URL and its path in the
  // site (a file outside the site is taken to lie at the site's root).
  std::string FileUrl(const std::string& path, const std::string& base) const;
  // The new robots.txt with the sitemap's "Sitemap:" line, when it lacks it.
  bool BeginRobotsTxt(const std::string& robots_txt);
  bool BeginWhole(const std::string& path, const std::string& text,
                  std::unique_ptr<FileReplacement>* output);
  // The page's URL path relative to the base; under --strip-index an index
  // page gives its folder's, and says so.
  void UrlPath(const std::string& page, std::string* path, bool* folder_url) const;
  // Whether an index page's folder URL was given already (index.htm and
  // index.html side by side); notes it when not.
  bool FolderUrlGiven(const std::string& path);
  std::string Entry(const std::string& url_path, const std::string& lastmod) const;
  bool NeedsSplit();
  bool Add(std::size_t number, const std::string& page, PageFacts&& facts);
  void NotePastHead(const std::string& page, const PageFacts& facts);
  bool AddUrl(const Listed& listed);
  // Adds the URLs that waited for git's dates.
  bool AddWaiting();
  bool OpenPart();
  bool ClosePart();
  bool WriteIndex();
  bool Emit(const std::string& text);
  bool Fail(const std::string& path);
  bool PutInPlace();

  Platform& platform_;
  RunProgress& progress_;
  const SitemapOptions& options_;
  const PageList* page_list_ = nullptr;
  bool xml_;
  const std::string& site_;
  TextConverter converter_;  // the head's URLs into UTF-8
  std::unique_ptr<SitemapSet> set_;
  std::string base_;  // as written: XML-escaped in XML
  std::string plain_base_;
  std::unique_ptr<SitemapPageRules> rules_;
  std::unique_ptr<SitemapDates> dates_;
  SitemapExclusions exclusions_;
  std::vector<std::string> past_head_notices_;  // standard error lines, in page order
  std::unique_ptr<FileReplacement> report_;
  std::unique_ptr<FileReplacement> robots_txt_;
  std::vector<Listed> waiting_;
  bool split_ = false;

  std::vector<std::size_t> pages_;  // places in the page list
  std::vector<Part> parts_;
  std::unique_ptr<FileReplacement> index_;
  std::string buffer_;
  bool folder_url_given_ = false;  // under --strip-index: the last index page's folder URL
  std::string last_folder_url_;
  std::string chunk_;
  std::string helper_chunk_;
  WriteResult result_;
};

}  // namespace zorvitan
