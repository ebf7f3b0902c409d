#include "engine/listing/page_listing.h"

#include <utility>

#include "engine/page/file_reading.h"
#include "engine/page/head_reader.h"
#include "engine/url/base_url.h"
#include "engine/url/canonical_url.h"

namespace zorvitan {

PageListing::PageListing(const std::string& site_folder, std::string_view page_encoding,
                         const std::string& base_url, PageUrlRules urls, Platform& platform,
                         RunSummary* summary)
    : platform_(platform),
      summary_(*summary),
      site_(site_folder),
      converter_(platform, page_encoding),
      base_(ListingBase(base_url, platform)),
      urls_(site_folder, urls, platform) {}

PageListing::~PageListing() = default;

bool PageListing::Start(const std::vector<std::string>& excluded) {
  // A robots.txt that is there but cannot be read cannot be changed.
  const std::string robots_path = site_ + "robots.txt";
  std::int64_t modified = 0;
  const bool robots_exists = platform_.ModifiedTime(robots_path, &modified);
  const bool robots_read =
      robots_exists && ReadWholeFile(platform_, robots_path, &robots_txt_) == ReadResult::kOk;
  if (!robots_read) robots_txt_.clear();
  rules_ = std::make_unique<LeftOutRules>(base_, RobotsTxt(robots_txt_));
  for (const std::string& path : excluded) {
    report_.Add(LeftOut::kExcluded, SitePath(site_ + path));
  }
  return robots_read || !robots_exists;
}

std::string PageListing::SitePath(const std::string& page) const {
  return SitePathInUtf8(std::string_view(page).substr(site_.size()), platform_, platform_);
}

void PageListing::FileUrlPath(const std::string& page, std::string* path) const {
  path->clear();
  AppendUrlPath(std::string_view(page).substr(site_.size()), platform_, platform_, path);
}

ListingFacts PageListing::Read(const std::string& page, unsigned needs, std::string* chunk,
                               PageHead* head) const {
  ListingFacts facts;
  urls_.Path(page, &facts.url_path, &facts.folder_url);
  // What the name decides costs no read.
  facts.left_out = rules_->ByName(page.substr(site_.size()), facts.url_path, &facts.detail);
  if (facts.left_out != LeftOut::kNone) return facts;
  facts.readable =
      ReadPageHead(platform_, page, chunk, needs | kNeedsHead, head) == ReadResult::kOk;
  HeadUrlsInUtf8(converter_, head);
  facts.left_out = rules_->ByHead(*head, facts.url_path, &facts.detail);
  facts.past_head = PastHeadFindings(*head);
  return facts;
}

bool PageListing::Take(const std::string& page, const ListingFacts& facts) {
  if (!facts.readable) summary_.unreadable_pages.push_back(page);
  // Head elements after the head's end are named on standard error and in
  // the report; a noindex among them has left the page out, and says so there.
  for (PastHeadFinding finding : facts.past_head) {
    finding.page = SitePath(page);
    if (finding.element != "noindex") report_.Note(finding.page, PastHeadText(finding));
    past_head_.push_back(std::move(finding));
  }
  if (facts.left_out != LeftOut::kNone) {
    if (facts.left_out == LeftOut::kNoindex) ++summary_.noindex_pages;
    report_.Add(facts.left_out, SitePath(page), facts.detail);
    return false;
  }
  if (facts.folder_url) {
    if (folder_url_given_ && facts.url_path == last_folder_url_) return false;
    folder_url_given_ = true;
    last_folder_url_ = facts.url_path;
  }
  return true;
}

void PageListing::Notices(ListingNotices* notices) {
  notices->past_head = std::move(past_head_);
  for (std::size_t reason = 0; reason < kLeftOutReasons; ++reason) {
    notices->left_out[reason] = report_.Count(static_cast<LeftOut>(reason));
  }
}

}  // namespace zorvitan
