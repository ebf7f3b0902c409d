// What a listing for engines or language models (a sitemap, llms.txt) has to
// tell the user beyond its files, as data that each front end words in its
// own language. The report file keeps fixed words of its own
// (left_out_report.h): scripts read it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zorvitan {

// Why a page is left out of a listing.
enum class LeftOut {
  kNone,
  kExcluded,   // --exclude
  kNoindex,    // robots meta
  kCanonical,  // canonical link to another URL
  kRedirect,   // refresh meta that names a URL
  kRobotsTxt,  // disallowed for "*" by the site's robots.txt
  kErrorPage,  // 404.html or 404.htm at the top
  kTooLong,    // a URL longer than 2,048 characters
};
inline constexpr std::size_t kLeftOutReasons = 8;

// A head element the author wrote after the head ended: search engines do
// not see it there.
struct PastHeadFinding {
  std::string page;      // its path in the site, UTF-8 with "/"
  std::string element;   // "noindex", "canonical", "refresh" or "hreflang"
  std::string ended_at;  // the tag that ended the head ("<b>", "</p>"); empty: text
  std::size_t line = 0;  // where it ended
};

// Why a sitemap's dates are file times where git's were asked for (or auto met a
// shallow clone).
enum class DatesFallback { kNone, kNoGit, kNotARepository, kShallow, kGitFailed };

struct ListingNotices {
  std::vector<PastHeadFinding> past_head;      // in page order
  std::size_t left_out[kLeftOutReasons] = {};  // pages, by LeftOut
  DatesFallback dates_fallback = DatesFallback::kNone;
  std::string site;              // the folder git was asked about, with its separator
  std::size_t future_dates = 0;  // dates in the future, not written
  // When most dates fall on one day, as after a checkout: how many of how
  // many dates, and the day ("2023-11-14"); one_day_dates is 0 otherwise.
  std::size_t one_day_dates = 0;
  std::size_t dated = 0;
  std::string one_day;
  // Faults in the pages' hreflang alternates, and the pages whose
  // alternates were left out for them.
  std::size_t hreflang_problems = 0;
  std::size_t hreflang_pages_left_out = 0;
};

}  // namespace zorvitan
