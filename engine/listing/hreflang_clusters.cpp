#include "engine/listing/hreflang_clusters.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "engine/listing/left_out_report.h"
#include "engine/text/language_codes.h"
#include "engine/text/markup_escape.h"
#include "engine/text/text_rules.h"
#include "engine/url/canonical_url.h"
#include "engine/url/percent_encoding.h"

namespace zorvitan {
namespace {


static_assert(sizeof(std::size_t) == 8, "URL paths are told apart by a 64-bit hash");
std::size_t HashOf(std::string_view key) { return std::hash<std::string_view>()(key); }

}  // namespace

HreflangClusters::HreflangClusters(const std::string& base, std::size_t pages, PageText url_path,
                                   PageText site_path, PageText file_url_path)
    : base_(base),
      comparable_base_(ComparableUrl(base)),
      pages_(pages),
      url_path_(std::move(url_path)),
      site_path_(std::move(site_path)),
      file_url_path_(std::move(file_url_path)),
      status_(pages, kNotTaken) {}

void HreflangClusters::Taken(std::size_t page, bool listed, LeftOut why) {
  status_[page] = listed ? kListed : static_cast<std::uint8_t>(why);
}

// Built when the first page names alternates, so a site without them pays
// nothing: a 64-bit hash of each page's URL path. Two of a site's URLs that
// share one are not to be expected (about one site in 10^9 of 100,000 pages
// naming three alternates each), so a match is not verified.
void HreflangClusters::IndexPages() {
  index_.reserve(file_url_path_ ? 2 * pages_ : pages_);
  for (std::size_t page = 0; page < pages_; ++page) {
    const std::string listed = ComparableUrlText(url_path_(page));
    index_.emplace_back(HashOf(listed), static_cast<std::uint32_t>(page));
    if (!file_url_path_) continue;
    const std::string file = ComparableUrlText(file_url_path_(page));
    if (file != listed) index_.emplace_back(HashOf(file), static_cast<std::uint32_t>(page));
  }
  std::sort(index_.begin(), index_.end());
}

bool HreflangClusters::Find(const std::string& key, std::uint32_t* page) const {
  const std::size_t hash = HashOf(key);
  auto it = std::lower_bound(index_.begin(), index_.end(), std::make_pair(hash, std::uint32_t{0}));
  bool found = false;
  for (; it != index_.end() && it->first == hash; ++it) {
    // index.htm and index.html side by side give one URL: the listed one counts.
    if (!found || status_[it->second] == kListed) *page = it->second;
    found = true;
  }
  return found;
}

std::uint32_t HreflangClusters::Code(const std::string& code) {
  const auto [place, added] = code_places_.emplace(code, codes_.size());
  if (added) codes_.push_back(code);
  return place->second;
}

void HreflangClusters::Add(std::size_t page, const std::string& url_path,
                           const std::vector<HeadAlternate>& found, const std::string& base_href) {
  if (found.empty()) return;
  if (index_.empty()) IndexPages();
  // Resolved as browsers resolve them: against the page's URL as listed and
  // its <base href>.
  own_paths_.push_back(OwnPath{static_cast<std::uint32_t>(page),
                               static_cast<std::uint32_t>(paths_.size()),
                               static_cast<std::uint32_t>(url_path.size())});
  paths_ += url_path;
  const std::string own = base_ + url_path;
  const std::string from = base_href.empty() ? own : ResolveUrl(own, base_href);
  for (const HeadAlternate& alternate : found) {
    const std::string url = ResolveUrl(from, Trim(alternate.href, kHtmlBlanks));
    const std::string comparable = ComparableUrl(url);
    std::uint32_t target = 0;
    const bool in_site = comparable.compare(0, comparable_base_.size(), comparable_base_) == 0 &&
                         Find(comparable.substr(comparable_base_.size()), &target);
    if (!in_site) {
      // One place per URL, so that two spellings of it are one target.
      const auto [place, added] = outside_places_.emplace(comparable, outside_.size());
      if (added) outside_.push_back(url);
      target = kOutside | place->second;
    }
    alternates_.push_back(Alternate{static_cast<std::uint32_t>(page), target,
                                    Code(Trim(alternate.hreflang, kHtmlBlanks))});
  }
}

std::pair<std::size_t, std::size_t> HreflangClusters::SetOf(std::uint32_t page) const {
  auto by_page = [](const Alternate& a, std::uint32_t p) { return a.page < p; };
  const auto first = std::lower_bound(alternates_.begin(), alternates_.end(), page, by_page);
  auto last = first;
  while (last != alternates_.end() && last->page == page) ++last;
  return {first - alternates_.begin(), last - alternates_.begin()};
}

std::uint32_t HreflangClusters::Root(std::uint32_t page) {
  while (parent_[page] != page) page = parent_[page] = parent_[parent_[page]];
  return page;
}

std::string HreflangClusters::Url(std::uint32_t target) const {
  if (target & kOutside) return outside_[target & ~kOutside];
  // A page in a cluster that is written names alternates itself: its URL
  // path is at hand.
  auto by_page = [](const OwnPath& own, std::uint32_t page) { return own.page < page; };
  const auto own = std::lower_bound(own_paths_.begin(), own_paths_.end(), target, by_page);
  if (own != own_paths_.end() && own->page == target) {
    return base_ + paths_.substr(own->start, own->size);
  }
  return base_ + url_path_(target);
}

std::string HreflangClusters::Named(std::uint32_t target) const {
  if (target & kOutside) return outside_[target & ~kOutside];
  return site_path_(target);
}

void HreflangClusters::Check(
    const std::function<void(const std::string&, const std::string&)>& problem) {
  if (alternates_.empty()) return;
  parent_.resize(pages_);
  std::iota(parent_.begin(), parent_.end(), std::uint32_t{0});
  for (const Alternate& a : alternates_) {
    if (!(a.target & kOutside)) parent_[Root(a.page)] = Root(a.target);
  }
  std::vector<bool> faulty(pages_, false);
  for (std::size_t first = 0; first < alternates_.size();) {
    const std::uint32_t page = alternates_[first].page;
    const std::size_t last = SetOf(page).second;
    const std::string path = site_path_(page);
    auto fault = [&](const std::string& text) {
      ++problems_;
      faulty[Root(page)] = true;
      problem(path, text);
    };
    bool names_itself = false;
    std::vector<std::pair<std::string, std::uint32_t>> by_code;
    for (std::size_t i = first; i < last; ++i) {
      const Alternate& a = alternates_[i];
      const std::string& code = codes_[a.code];
      const std::string lead = "hreflang " + code + ": ";
      by_code.emplace_back(LowerAscii(code), a.target);
      names_itself = names_itself || a.target == page;
      if (!IsHreflangCode(code)) {
        fault(lead + "not a language code, for " + Named(a.target));
      } else if (a.target & kOutside) {
        // Outside the base URL: kept as it stands, no page to check.
        const std::string& url = outside_[a.target & ~kOutside];
        if (ComparableUrl(url).compare(0, comparable_base_.size(), comparable_base_) == 0) {
          fault(lead + url + " is not in the site");
        }
      } else if (status_[a.target] != kListed) {
        const LeftOut why = static_cast<LeftOut>(status_[a.target]);
        const std::string reason = why == LeftOut::kNone || status_[a.target] == kNotTaken
                                       ? std::string("same URL as another page")
                                       : ReasonWord(why);
        fault(lead + site_path_(a.target) + " is not listed: " + reason);
      } else if (a.target != page) {
        const auto [back_first, back_last] = SetOf(a.target);
        bool returned = false;
        for (std::size_t j = back_first; j < back_last && !returned; ++j) {
          returned = alternates_[j].target == page;
        }
        if (!returned) fault(lead + "no return link from " + site_path_(a.target));
      }
    }
    std::sort(by_code.begin(), by_code.end());
    for (std::size_t i = 0; i < by_code.size();) {
      std::size_t end = i + 1;
      std::size_t other = by_code.size();
      for (; end < by_code.size() && by_code[end].first == by_code[i].first; ++end) {
        if (other == by_code.size() && by_code[end].second != by_code[i].second) other = end;
      }
      if (other != by_code.size()) {
        fault("hreflang " + by_code[i].first + ": two URLs, " + Named(by_code[i].second) +
              " and " + Named(by_code[other].second));
      }
      i = end;
    }
    if (!names_itself) fault("hreflang: the page does not name itself");
    first = last;
  }
  // Engines ignore a faulty cluster whole: its links are not written.
  std::vector<Alternate> written;
  for (std::size_t first = 0; first < alternates_.size();) {
    const std::size_t last = SetOf(alternates_[first].page).second;
    if (faulty[Root(alternates_[first].page)]) {
      ++pages_left_out_;
    } else {
      written.insert(written.end(), alternates_.begin() + first, alternates_.begin() + last);
    }
    first = last;
  }
  alternates_ = std::move(written);
  any_links_ = !alternates_.empty();
  parent_ = {};
}

std::string HreflangClusters::Links(std::size_t page, bool declare) const {
  const auto [first, last] = SetOf(static_cast<std::uint32_t>(page));
  std::string links;
  for (std::size_t i = first; i < last; ++i) {
    links += declare ? "<xhtml:link xmlns:xhtml=\"http://www.w3.org/1999/xhtml\" rel=\"alternate\""
                     : "<xhtml:link rel=\"alternate\"";
    links += " hreflang=\"";
    AppendEscaped(codes_[alternates_[i].code], EscapeFor::kXml, &links);
    links += "\" href=\"";
    AppendEscaped(Url(alternates_[i].target), EscapeFor::kXml, &links);
    links += "\"/>";
  }
  return links;
}

}  // namespace zorvitan
