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

// A path of letters, digits, "-", ".", "_", "~" and "/" without "." or ".."
// segments: what most hrefs are. Resolved, and in comparable form, it is
// joined to its page's folder (or, from "/", host) as it stands.
bool IsPlainPath(std::string_view href) {
  if (href.empty() || href.substr(0, 2) == "//" || href == "." || href == ".." ||
      href.substr(0, 2) == "./" || href.substr(0, 3) == "../" ||
      href.find("/./") != std::string_view::npos || href.find("/../") != std::string_view::npos) {
    return false;
  }
  const std::size_t size = href.size();
  if ((size >= 2 && href.substr(size - 2) == "/.") ||
      (size >= 3 && href.substr(size - 3) == "/..")) {
    return false;
  }
  for (const char c : href) {
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '-' && c != '.' && c != '_' && c != '~' &&
        c != '/') {
      return false;
    }
  }
  return true;
}

// The folder of an absolute URL without query or fragment ("https://h/a/"),
// and its scheme and host ("https://h"); false for another URL.
bool FolderAndHost(std::string_view url, std::string_view* folder, std::string_view* host) {
  const std::size_t scheme_end = url.find("://");
  if (scheme_end == std::string_view::npos || url.find_first_of("?#") != std::string_view::npos ||
      url.find("/.", scheme_end + 3) != std::string_view::npos) {
    return false;
  }
  const std::size_t path = url.find('/', scheme_end + 3);
  if (path == std::string_view::npos) return false;
  *host = url.substr(0, path);
  *folder = url.substr(0, url.rfind('/') + 1);
  return true;
}

std::string EscapedForXml(std::string_view text) {
  std::string escaped;
  AppendEscaped(text, EscapeFor::kXml, &escaped);
  return escaped;
}

}  // namespace

HreflangClusters::HreflangClusters(const std::string& base, std::size_t pages, PageText url_path,
                                   PageText site_path, PageText file_url_path)
    : base_(base),
      comparable_base_(ComparableUrl(base)),
      escaped_base_(EscapedForXml(base)),
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
// An open-addressing table, at most half full, so that a look-up mostly
// touches one slot.
void HreflangClusters::IndexPages() {
  std::size_t slots = 16;
  while (slots < 2 * (file_url_path_ ? 2 * pages_ : pages_)) slots *= 2;
  index_.assign(slots, Slot{0, kNoPage});
  auto insert = [this](std::size_t hash, std::uint32_t page) {
    std::size_t at = hash & (index_.size() - 1);
    while (index_[at].page != kNoPage) at = (at + 1) & (index_.size() - 1);
    index_[at] = Slot{hash, page};
  };
  own_set_.assign(pages_, kNoPage);
  for (std::size_t page = 0; page < pages_; ++page) {
    const std::string listed = ComparableUrlText(url_path_(page));
    insert(HashOf(listed), static_cast<std::uint32_t>(page));
    if (!file_url_path_) continue;
    const std::string file = ComparableUrlText(file_url_path_(page));
    if (file != listed) insert(HashOf(file), static_cast<std::uint32_t>(page));
  }
}

bool HreflangClusters::Find(std::size_t hash, std::uint32_t* page) const {
  bool found = false;
  for (std::size_t at = hash & (index_.size() - 1); index_[at].page != kNoPage;
       at = (at + 1) & (index_.size() - 1)) {
    if (index_[at].hash != hash) continue;
    // index.htm and index.html side by side give one URL: the listed one counts.
    if (!found || status_[index_[at].page] == kListed) *page = index_[at].page;
    found = true;
  }
  return found;
}

std::uint32_t HreflangClusters::Code(std::string_view code) {
  // A site uses a few codes: found by a look at each, most of the time.
  for (std::size_t i = 0; i < codes_.size() && i < 16; ++i) {
    if (codes_[i] == code) return static_cast<std::uint32_t>(i);
  }
  const auto [place, added] = code_places_.emplace(std::string(code), codes_.size());
  if (added) codes_.emplace_back(code);
  return place->second;
}

ResolvedAlternates HreflangClusters::Resolve(const std::string& url_path,
                                             const std::vector<HeadAlternate>& found,
                                             const std::string& base_href) const {
  ResolvedAlternates resolved;
  resolved.items.reserve(found.size());
  // As browsers resolve them: against the page's URL as listed and its
  // <base href>.
  const std::string own = base_ + url_path;
  const std::string from = base_href.empty() ? own : ResolveUrl(own, base_href);
  const std::string comparable_from = ComparableUrl(from);
  std::string_view folder, host, comparable_folder, comparable_host;
  const bool plain_from = FolderAndHost(from, &folder, &host) &&
                          FolderAndHost(comparable_from, &comparable_folder, &comparable_host);
  std::string& text = resolved.text;
  auto add = [&text](std::string_view piece) {
    const std::pair<std::uint32_t, std::uint32_t> span{static_cast<std::uint32_t>(text.size()),
                                                       static_cast<std::uint32_t>(piece.size())};
    text += piece;
    return span;
  };
  for (const HeadAlternate& alternate : found) {
    ResolvedAlternates::Item item;
    item.code = add(TrimView(alternate.hreflang, kHtmlBlanks));
    const std::string_view href = TrimView(alternate.href, kHtmlBlanks);
    if (plain_from && IsPlainPath(href)) {
      const bool from_host = href[0] == '/';
      item.url = add(from_host ? host : folder);
      text += href;
      item.url.second += static_cast<std::uint32_t>(href.size());
      item.comparable = add(from_host ? comparable_host : comparable_folder);
      text += href;
      item.comparable.second += static_cast<std::uint32_t>(href.size());
    } else {
      const std::string url = ResolveUrl(from, href);
      item.url = add(url);
      item.comparable = add(ComparableUrl(url));
    }
    const std::string_view comparable = resolved.Text(item.comparable);
    item.below_base = comparable.compare(0, comparable_base_.size(), comparable_base_) == 0;
    if (item.below_base) item.hash = HashOf(comparable.substr(comparable_base_.size()));
    resolved.items.push_back(item);
  }
  return resolved;
}

void HreflangClusters::Add(std::size_t page, const std::string& url_path,
                           const ResolvedAlternates& found) {
  if (found.items.empty()) return;
  if (index_.empty()) {
    IndexPages();
    // Room for every page to name as many as the first: reserved, not
    // touched, so a site where few pages name alternates pays nothing for
    // it, and one where all do never copies what it holds.
    alternates_.reserve(pages_ * found.items.size());
    own_paths_.reserve(pages_);
    paths_.reserve(pages_ * url_path.size());
  }
  own_set_[page] = static_cast<std::uint32_t>(own_paths_.size());
  own_paths_.push_back(OwnPath{
      static_cast<std::uint32_t>(page), static_cast<std::uint32_t>(alternates_.size()),
      static_cast<std::uint32_t>(paths_.size()), static_cast<std::uint32_t>(url_path.size())});
  paths_ += url_path;
  for (const ResolvedAlternates::Item& alternate : found.items) {
    std::uint32_t target = 0;
    if (!alternate.below_base || !Find(alternate.hash, &target)) {
      // One place per URL, so that two spellings of it are one target.
      const auto [place, added] =
          outside_places_.emplace(std::string(found.Text(alternate.comparable)), outside_.size());
      if (added) outside_.emplace_back(found.Text(alternate.url));
      target = kOutside | place->second;
    }
    alternates_.push_back(
        Alternate{static_cast<std::uint32_t>(page), target, Code(found.Text(alternate.code))});
  }
}

std::pair<std::size_t, std::size_t> HreflangClusters::SetOf(std::uint32_t page) const {
  const std::uint32_t set = own_set_.empty() ? kNoPage : own_set_[page];
  if (set == kNoPage) return {0, 0};
  const std::size_t last =
      set + 1 < own_paths_.size() ? own_paths_[set + 1].first : alternates_.size();
  return {own_paths_[set].first, last};
}

std::uint32_t HreflangClusters::Root(std::uint32_t page) {
  while (parent_[page] != page) page = parent_[page] = parent_[parent_[page]];
  return page;
}

std::string HreflangClusters::Url(std::uint32_t target) const {
  if (target & kOutside) return outside_[target & ~kOutside];
  // A page in a cluster that is written names alternates itself: its URL
  // path is at hand.
  std::string path;
  if (!UrlPathOf(target, &path)) path = url_path_(target);
  return base_ + path;
}

bool HreflangClusters::UrlPathOf(std::size_t page, std::string* path) const {
  const std::uint32_t set = own_set_.empty() ? kNoPage : own_set_[page];
  if (set == kNoPage) return false;
  path->assign(paths_, own_paths_[set].start, own_paths_[set].size);
  return true;
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
  // Each code judged once, and told apart from the others in any case.
  std::vector<bool> valid(codes_.size());
  std::vector<std::uint32_t> folded(codes_.size());
  std::vector<std::string> folded_codes;
  for (std::size_t code = 0; code < codes_.size(); ++code) {
    valid[code] = IsHreflangCode(codes_[code]);
    const std::string lower = LowerAscii(codes_[code]);
    const auto known = std::find(folded_codes.begin(), folded_codes.end(), lower);
    folded[code] = static_cast<std::uint32_t>(known - folded_codes.begin());
    if (known == folded_codes.end()) folded_codes.push_back(lower);
  }
  std::vector<bool> faulty(pages_, false);
  std::vector<std::pair<std::uint32_t, std::uint32_t>> by_code;  // (folded code, target)
  for (const OwnPath& own : own_paths_) {
    const std::uint32_t page = own.page;
    const auto [first, last] = SetOf(page);
    std::string path;  // named only when there is a fault
    auto fault = [&](const std::string& text) {
      ++problems_;
      faulty[Root(page)] = true;
      if (path.empty()) path = site_path_(page);
      problem(path, text);
    };
    bool names_itself = false;
    by_code.clear();
    for (std::size_t i = first; i < last; ++i) {
      const Alternate& a = alternates_[i];
      const std::string& code = codes_[a.code];
      by_code.emplace_back(folded[a.code], a.target);
      names_itself = names_itself || a.target == page;
      if (!valid[a.code]) {
        fault("hreflang " + code + ": not a language code, for " + Named(a.target));
      } else if (a.target & kOutside) {
        // Outside the base URL: kept as it stands, no page to check.
        const std::string& url = outside_[a.target & ~kOutside];
        if (ComparableUrl(url).compare(0, comparable_base_.size(), comparable_base_) == 0) {
          fault("hreflang " + code + ": " + url + " is not in the site");
        }
      } else if (status_[a.target] != kListed) {
        const LeftOut why = static_cast<LeftOut>(status_[a.target]);
        const std::string reason = why == LeftOut::kNone || status_[a.target] == kNotTaken
                                       ? std::string("same URL as another page")
                                       : ReasonWord(why);
        fault("hreflang " + code + ": " + site_path_(a.target) + " is not listed: " + reason);
      } else if (a.target != page) {
        const auto [back_first, back_last] = SetOf(a.target);
        bool returned = false;
        for (std::size_t j = back_first; j < back_last && !returned; ++j) {
          returned = alternates_[j].target == page;
        }
        if (!returned) {
          fault("hreflang " + code + ": no return link from " + site_path_(a.target));
        }
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
        fault("hreflang " + folded_codes[by_code[i].first] + ": two URLs, " +
              Named(by_code[i].second) + " and " + Named(by_code[other].second));
      }
      i = end;
    }
    if (!names_itself) fault("hreflang: the page does not name itself");
  }
  // Engines ignore a faulty cluster whole: its links are not written.
  std::vector<Alternate> written;
  std::vector<OwnPath> written_sets;
  for (OwnPath own : own_paths_) {
    const auto [first, last] = SetOf(own.page);
    if (faulty[Root(own.page)]) {
      ++pages_left_out_;
      own_set_[own.page] = kNoPage;
      continue;
    }
    own_set_[own.page] = static_cast<std::uint32_t>(written_sets.size());
    own.first = static_cast<std::uint32_t>(written.size());
    written_sets.push_back(own);
    written.insert(written.end(), alternates_.begin() + first, alternates_.begin() + last);
  }
  alternates_ = std::move(written);
  own_paths_ = std::move(written_sets);
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
    const std::uint32_t target = alternates_[i].target;
    const std::uint32_t set = (target & kOutside) ? kNoPage : own_set_[target];
    if (set != kNoPage) {
      links += escaped_base_;
      AppendEscaped(std::string_view(paths_).substr(own_paths_[set].start, own_paths_[set].size),
                    EscapeFor::kXml, &links);
    } else {
      AppendEscaped(Url(target), EscapeFor::kXml, &links);
    }
    links += "\"/>";
  }
  return links;
}

}  // namespace zorvitan
