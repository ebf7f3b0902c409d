// Why pages were left out of a listing for engines (a sitemap, llms.txt):
// counted by reason for standard error, and, for --report FILE, one line per
// page: its path in the site, a tab, the reason.
#pragma once

#include <cstddef>
#include <string>

#include "engine/listing/listing_notices.h"

namespace zorvitan {

class SystemText;

class LeftOutReport {
 public:
  // `path` is the page's path in the site, UTF-8 with "/"; `detail` the URL
  // or rule that decided (for canonical, redirect and robots.txt).
  void Add(LeftOut reason, const std::string& path, const std::string& detail = {});
  // A report line about a page that stays listed: "a.html\tcanonical after ...".
  void Note(const std::string& path, const std::string& text);

  // How many pages were left out for `reason`.
  std::size_t Count(LeftOut reason) const { return counts_[static_cast<int>(reason)]; }
  // The report file's text: "news/old.html\tredirect news/new.html\n", ...
  const std::string& ReportText() const { return report_; }

 private:
  std::size_t counts_[kLeftOutReasons] = {};
  std::string report_;
};

// What --report writes for a reason, without its detail.
const char* ReasonWord(LeftOut reason);

}  // namespace zorvitan
