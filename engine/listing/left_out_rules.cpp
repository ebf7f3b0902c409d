#include "engine/listing/left_out_rules.h"

#include <utility>

#include "engine/text/text_rules.h"
#include "engine/url/canonical_url.h"

namespace zorvitan {
namespace {

// The tag that ended the head: "<b>", "</p>"; empty for text.
std::string EndedAt(const HeadEnd& end) {
  if (end.kind == HeadEnd::kStartTag) return "<" + end.tag + ">";
  if (end.kind == HeadEnd::kEndTag) return "</" + end.tag + ">";
  return std::string();
}

}  // namespace

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
    *detail = PastHeadText(EndedAt(head.end), head.end.line);
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

std::vector<PastHeadFinding> PastHeadFindings(const PageHead& head) {
  const std::string at = EndedAt(head.end);
  std::vector<PastHeadFinding> findings;
  const HeadLinks& past = head.past_head;
  for (const auto& [found, element] :
       {std::pair{past.noindex, "noindex"}, std::pair{past.has_canonical, "canonical"},
        std::pair{past.has_refresh, "refresh"}, std::pair{!past.alternates.empty(), "hreflang"}}) {
    if (found) findings.push_back({std::string(), element, at, head.end.line});
  }
  return findings;
}

std::string PastHeadText(const std::string& ended_at, std::size_t line) {
  return "after the head ended at " + (ended_at.empty() ? std::string("text") : ended_at) +
         " (line " + std::to_string(line) + "): search engines do not see it";
}

std::string PastHeadText(const PastHeadFinding& finding) {
  return finding.element + " " + PastHeadText(finding.ended_at, finding.line);
}

}  // namespace zorvitan
