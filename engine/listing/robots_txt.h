// The site's own robots.txt as a crawler without a group of its own reads it
// (RFC 9309): the rules of the groups for user agent "*", the longest
// matching rule decides, Allow wins a tie; "*" matches any run of octets and
// a final "$" the end of the path; percent-escapes compare decoded. And the
// "Sitemap:" line that --robots-txt adds to it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorvitan {

class RobotsTxt {
 public:
  RobotsTxt() = default;
  explicit RobotsTxt(std::string_view text);

  // Whether the rules let crawlers fetch `path` (a URL path from "/", as
  // written in a URL). When not, `rule` is the deciding rule as the report
  // names it: "Disallow: /private/".
  bool Allows(std::string_view path, std::string* rule = nullptr) const;
  bool Empty() const { return rules_.empty(); }

 private:
  struct Rule {
    bool allow = false;
    std::vector<std::string> pieces;  // literal runs between the "*"s, in canonical form
    bool anchored = false;            // ended in "$"
    std::size_t length = 0;           // how specific it is: its octets in canonical form
    std::string text;                 // "Disallow: /x", for the report
  };
  static bool Matches(const Rule& rule, std::string_view path);

  std::vector<Rule> rules_;
};

// robots.txt with the line "Sitemap: URL" added after its last byte (on a
// line of its own, with the file's own line ends). Returns false when the
// file already holds that line, letters of the field's name in any case.
bool AddSitemapLine(const std::string& robots_txt, const std::string& url, std::string* updated);

}  // namespace zorvitan
