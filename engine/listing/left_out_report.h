// Why pages were left out of a listing for engines (a sitemap, llms.txt):
// counted by reason for standard error, and, for --report FILE, one line per
// page: its path in the site, a tab, the reason.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zorvitan {

class Platform;

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

class LeftOutReport {
 public:
  // `path` is the page's path in the site, UTF-8 with "/"; `detail` the URL
  // or rule that decided (for canonical, redirect and robots.txt).
  void Add(LeftOut reason, const std::string& path, const std::string& detail = {});
  // A report line about a page that stays listed: "a.html\tcanonical after ...".
  void Note(const std::string& path, const std::string& text);

  // "Pominąłem ...: N" for each reason that left pages out, in the system's
  // code page; noindex and --exclude are not among them (noindex has its line
  // of old, excludes are asked for).
  std::vector<std::string> CountLines(const Platform& platform) const;
  // The report file's text: "news/old.html\tredirect news/new.html\n", ...
  const std::string& ReportText() const { return report_; }

 private:
  std::size_t counts_[8] = {};
  std::string report_;
};

// What --report writes for a reason, without its detail.
const char* ReasonWord(LeftOut reason);

}  // namespace zorvitan
