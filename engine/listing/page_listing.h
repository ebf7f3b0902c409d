// What every listing for engines and language models (a sitemap, llms.txt)
// takes of a page: its URL, and whether it is left out and why, by the same
// rules (left_out_rules.h), named in one report (left_out_report.h).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/listing/left_out_report.h"
#include "engine/listing/left_out_rules.h"
#include "engine/listing/listing_notices.h"
#include "engine/page/page_head.h"
#include "engine/platform/platform.h"
#include "engine/run/notices.h"
#include "engine/text/text_conversion.h"
#include "engine/url/page_url.h"

namespace zorvitan {

// What reading a page tells a listing of it.
struct ListingFacts {
  bool readable = true;
  LeftOut left_out = LeftOut::kNone;
  std::string detail;       // the URL or rule that left it out
  bool folder_url = false;  // an index page under --strip-index
  std::string url_path;
  std::vector<PastHeadFinding> past_head;  // head elements found after the head ended
};

class PageListing {
 public:
  // `site_folder` ends in its separator; `base_url` is in the system's code
  // page (IsBaseUrl). Unreadable and noindex pages are counted into `summary`.
  PageListing(const std::string& site_folder, std::string_view page_encoding,
              const std::string& base_url, PageUrlRules urls, Platform& platform,
              RunSummary* summary);
  ~PageListing();

  // Reads the site's robots.txt, whose rules leave pages out, and starts the
  // report with what --exclude left out (paths in the site). False when a
  // robots.txt is there but cannot be read: its rules are then none.
  bool Start(const std::vector<std::string>& excluded);

  // Reads page `page` (a path in the page list) as far as `needs` asks beside
  // its head, into `head`; on either reading thread. A page its name leaves
  // out is not read.
  ListingFacts Read(const std::string& page, unsigned needs, std::string* chunk,
                    PageHead* head) const;
  // Takes a page read, in the listing's order, into the counts and the
  // report; true when it is listed. index.htm and index.html side by side
  // give their folder's URL once: the second is not.
  bool Take(const std::string& page, const ListingFacts& facts);

  // The page's path in the site as the report and git name it: UTF-8, "/".
  std::string SitePath(const std::string& page) const;
  const PageUrls& Urls() const { return urls_; }
  // The URL path of the page's file, as if neither --strip-index nor
  // --clean-urls were given.
  void FileUrlPath(const std::string& page, std::string* path) const;
  // As ListingBase() gives it: ends in "/", not escaped for any format.
  const std::string& Base() const { return base_; }
  const std::string& RobotsTxtText() const { return robots_txt_; }
  const std::string& ReportText() const { return report_.ReportText(); }
  // A report line about a listed page (its path in the site).
  void Note(const std::string& path, const std::string& text) { report_.Note(path, text); }
  // For the front end, once every page is taken: what stood past the heads,
  // and the pages left out by reason.
  void Notices(ListingNotices* notices);

 private:
  Platform& platform_;
  RunSummary& summary_;
  const std::string& site_;
  TextConverter converter_;  // the head's URLs into UTF-8
  std::string base_;
  PageUrls urls_;
  std::string robots_txt_;
  std::unique_ptr<LeftOutRules> rules_;
  LeftOutReport report_;
  std::vector<PastHeadFinding> past_head_;  // in page order
  bool folder_url_given_ = false;           // under --strip-index: the last index page's folder URL
  std::string last_folder_url_;
};

}  // namespace zorvitan
