#include "engine/listing/left_out_rules.h"

#include <cstdint>
#include <memory>
#include <utility>

#include "engine/text/text_rules.h"
#include "engine/url/canonical_url.h"

namespace zorvitan {

LeftOutRules::LeftOutRules(const std::string& base, RobotsTxt robots_txt)
    : base_(base), robots_txt_(std::move(robots_txt)) {
  const std::size_t scheme_end = base.find("://");
  const std::size_t path_start =
      scheme_end == std::string::npos ? std::string::npos : base.find('/', scheme_end + 3);
  base_path_ = path_start == std::string::npos ? "/" : base.substr(path_start);
}

LeftOut LeftOutRules::ByName(const std::string& relative, const std::string& url_path,
                             std::string* detail) const {
  if (relative.size() == 7 || relative.size() == 8) {
    if (EqualsNoCase(relative, "404.html") || EqualsNoCase(relative, "404.htm")) {
      return LeftOut::kErrorPage;
    }
  }
  if (base_.size() + url_path.size() > kLongestUrl) return LeftOut::kTooLong;
  // The rules apply to the path from the host on, as a crawler asks for it.
  if (!robots_txt_.Empty() && !robots_txt_.Allows(base_path_ + url_path, detail)) {
    return LeftOut::kRobotsTxt;
  }
  return LeftOut::kNone;
}

LeftOut LeftOutRules::ByHead(const PageHead& head, const std::string& url_path,
                             std::string* detail) const {
  const HeadLinks& links = head.in_head;
  if (links.noindex) return LeftOut::kNoindex;
  if (head.past_head.noindex) {
    *detail = PastHeadText(head);
    return LeftOut::kNoindex;
  }
  if (links.has_refresh) {
    *detail = links.refresh_url;
    return LeftOut::kRedirect;
  }
  if (links.has_canonical) {
    // Relative to the page's <base href> when it has one, as browsers resolve it.
    const std::string own = base_ + url_path;
    const std::string canonical = ResolveUrl(
        head.base_href.empty() ? own : ResolveUrl(own, head.base_href), links.canonical_href);
    if (!SameUrl(own, canonical)) {
      *detail = canonical;
      return LeftOut::kCanonical;
    }
  }
  return LeftOut::kNone;
}

void HeadUrlsInUtf8(const TextConverter& converter, PageHead* head) {
  auto in_utf8 = [&](std::string* url) {
    if (TextConverter::NeedsEncoding(*url)) *url = converter.ToUtf8(*url, head->declared_encoding);
  };
  for (HeadLinks* links : {&head->in_head, &head->past_head}) {
    in_utf8(&links->canonical_href);
    in_utf8(&links->refresh_url);
    for (HeadAlternate& alternate : links->alternates) in_utf8(&alternate.href);
  }
  in_utf8(&head->base_href);
}

std::string PastHeadText(const PageHead& head) {
  const HeadEnd& end = head.end;
  std::string at;
  if (end.kind == HeadEnd::kStartTag) {
    at = "<" + end.tag + ">";
  } else if (end.kind == HeadEnd::kEndTag) {
    at = "</" + end.tag + ">";
  } else {
    at = "text";
  }
  return "after the head ended at " + at + " (line " + std::to_string(end.line) +
         "): search engines do not see it";
}

std::vector<std::string> PastHeadFindings(const PageHead& head) {
  std::vector<std::string> findings;
  const HeadLinks& past = head.past_head;
  const std::string where = PastHeadText(head);
  if (past.noindex) findings.push_back("noindex " + where);
  if (past.has_canonical) findings.push_back("canonical " + where);
  if (past.has_refresh) findings.push_back("refresh " + where);
  if (!past.alternates.empty()) findings.push_back("hreflang " + where);
  return findings;
}

bool ReadWholeFile(Platform& platform, const std::string& path, std::string* text, bool* exists) {
  text->clear();
  std::int64_t modified = 0;
  *exists = platform.ModifiedTime(path, &modified);
  if (!*exists) return false;
  std::unique_ptr<PageReader> reader = platform.OpenPage(path);
  if (!reader) return false;
  char buffer[16 * 1024];
  for (;;) {
    const long got = reader->Read(buffer, sizeof buffer);
    if (got < 0) return false;
    if (got == 0) return true;
    text->append(buffer, static_cast<std::size_t>(got));
  }
}

}  // namespace zorvitan
