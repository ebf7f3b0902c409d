// Which pages a listing for engines (a sitemap, llms.txt) must not list,
// beside noindex: the site's error page, URLs too long for the protocol, URLs
// its robots.txt disallows, redirect stubs and pages whose canonical URL is
// another.
#pragma once

#include <string>
#include <vector>

#include "engine/listing/left_out_report.h"
#include "engine/listing/robots_txt.h"
#include "engine/page/page_head.h"
#include "engine/platform/file_system.h"
#include "engine/text/text_conversion.h"

namespace zorvitan {

class LeftOutRules {
 public:
  // `base` is the sitemap's base URL as ListingBase() gives it.
  LeftOutRules(const std::string& base, RobotsTxt robots_txt);

  // What rules the page out by its path in the site (the platform's
  // separators) and its URL path below the base, before it is read.
  LeftOut ByName(const std::string& relative, const std::string& url_path,
                 std::string* detail) const;
  // What rules it out by its head. A noindex the author wrote after the head
  // ended still leaves the page out: engines were never meant to have it.
  LeftOut ByHead(const PageHead& head, const std::string& url_path, std::string* detail) const;

  // The protocol's limit on a URL's length.
  static constexpr std::size_t kLongestUrl = 2048;

 private:
  std::string base_;
  std::string base_path_;  // the base URL's path, from its "/"
  RobotsTxt robots_txt_;
};

// The URLs the head names, in UTF-8 as browsers resolve them: a page in a
// legacy encoding names "łódź.html" in its own bytes.
void HeadUrlsInUtf8(const TextConverter& converter, PageHead* head);

// Each head element found after the head ended (without its page).
std::vector<PastHeadFinding> PastHeadFindings(const PageHead& head);

// Where the head ended, for a head element found after it, as the report
// words it: "after the head ended at <b> (line 12): search engines do not see
// it"; with the element, "noindex after the head ended at ...".
std::string PastHeadText(const std::string& ended_at, std::size_t line);
std::string PastHeadText(const PastHeadFinding& finding);

}  // namespace zorvitan
