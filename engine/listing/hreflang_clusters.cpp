#include "engine/listing/hreflang_clusters.h"

#include <algorithm>
#include <iterator>
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
  if (href.empty() || href.substr(0, 2) == "//" || !KeepsAll(href, UrlBytes::kPath)) return false;
  // A "." or ".." segment: one or two dots between slashes or the ends.
  std::size_t segment = 0, dots = 0;
  for (const char c : href) {
    if (c == '/') {
      if (segment > 0 && segment == dots && dots <= 2) return false;
      segment = dots = 0;
    } else {
      ++segment;
      dots += c == '.';
    }
  }
  return !(segment > 0 && segment == dots && dots <= 2);
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

ResolvedAlternates::Span ResolvedAlternates::Append(std::string_view piece) {
  const Span span{text_size_, static_cast<std::uint32_t>(piece.size())};
  if (more_text_.empty() && text_size_ + piece.size() <= kTextInPlace) {
    std::copy(piece.begin(), piece.end(), text_.begin() + text_size_);
  } else {
    if (more_text_.empty()) more_text_.assign(text_.data(), text_size_);
    more_text_ += piece;
  }
  text_size_ += span.second;
  return span;
}

void ResolvedAlternates::Push(const Item& item) {
  if (count_ < kItemsInPlace) {
    items_[count_] = item;
  } else {
    if (count_ == kItemsInPlace) more_items_.assign(items_.begin(), items_.end());
    more_items_.push_back(item);
  }
  ++count_;
}

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

HreflangClusters::PageKeys HreflangClusters::KeysOf(std::string_view url_path,
                                                    std::string_view file_url_path) {
  // Most URL paths are plain, and their own comparable form.
  std::string listed_text, file_text;
  auto comparable = [](std::string_view path, std::string* text) {
    if (IsPlainPath(path)) return path;
    *text = ComparableUrlText(path);
    return std::string_view(*text);
  };
  PageKeys keys;
  keys.known = true;
  const std::string_view listed = comparable(url_path, &listed_text);
  keys.listed = HashOf(listed);
  if (!file_url_path.empty()) {
    const std::string_view file = comparable(file_url_path, &file_text);
    keys.has_file = file != listed;
    if (keys.has_file) keys.file = HashOf(file);
  }
  return keys;
}

void HreflangClusters::Taken(std::size_t page, bool listed, LeftOut why, PageKeys keys) {
  status_[page] = listed ? kListed : static_cast<std::uint8_t>(why);
  last_taken_ = keys;
  // Before the first page with alternates there is no index: it is made
  // then, with the pages taken so far. A page read before that has no keys.
  if (index_.empty()) return;
  if (!keys.known) {
    keys = KeysOf(url_path_(page), file_url_path_ ? file_url_path_(page) : std::string());
  }
  for (const std::size_t key : {keys.listed, keys.file}) {
    Insert(key, static_cast<std::uint32_t>(page));
    // The alternates that named this page before it was taken. Two pages
    // with one URL (index.htm and index.html under --strip-index): the
    // listed one counts, so one that is not may yet give way to it.
    auto [named, last] = named_ahead_.equal_range(key);
    while (named != last) {
      alternates_[named->second.alternate].target = static_cast<std::uint32_t>(page);
      named = listed ? named_ahead_.erase(named) : std::next(named);
    }
    if (!keys.has_file) break;
  }
}

// Made when the first page names alternates, so a site without them pays
// nothing: a 64-bit hash of each page's URL path. Two of a site's URLs that
// share one are not to be expected (about one site in 10^9 of 100,000 pages
// naming three alternates each), so a match is not verified.
// An open-addressing table three quarters full at most: a look-up mostly
// touches one or two slots, and the table stays small, as memory first
// touched costs more than a probe.
void HreflangClusters::IndexPages(std::size_t taken) {
  const std::size_t paths = file_url_path_ ? 2 * pages_ : pages_;
  index_.assign(paths + paths / 3 + 1, Slot{0, kNoPage});
  own_set_.assign(pages_, kNoPage);
  for (std::size_t page = 0; page < taken; ++page) {
    const PageKeys keys =
        KeysOf(url_path_(page), file_url_path_ ? file_url_path_(page) : std::string());
    Insert(keys.listed, static_cast<std::uint32_t>(page));
    if (keys.has_file) Insert(keys.file, static_cast<std::uint32_t>(page));
  }
}

std::size_t HreflangClusters::SlotOf(std::size_t hash) const {
  // The hash's high half scaled to the table's size, of any size.
  return static_cast<std::size_t>((hash >> 32) * index_.size() >> 32);
}

std::size_t HreflangClusters::NextSlot(std::size_t at) const {
  return at + 1 < index_.size() ? at + 1 : 0;
}

void HreflangClusters::Insert(std::size_t hash, std::uint32_t page) {
  std::size_t at = SlotOf(hash);
  while (index_[at].page != kNoPage) at = NextSlot(at);
  index_[at] = Slot{hash, page};
}

bool HreflangClusters::Find(std::size_t hash, std::uint32_t* page) const {
  bool found = false;
  for (std::size_t at = SlotOf(hash); index_[at].page != kNoPage; at = NextSlot(at)) {
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
  // A span of two pieces, one after the other.
  auto add = [&resolved](std::string_view first, std::string_view second) {
    ResolvedAlternates::Span span = resolved.Append(first);
    span.second += resolved.Append(second).second;
    return span;
  };
  // Most pages: a plain URL path, no <base href>, hrefs plain and relative.
  // Such an href resolves to the page's folder below the base and the href,
  // already in comparable form.
  const bool plain_page = base_href.empty() && (url_path.empty() || IsPlainPath(url_path));
  const std::string_view page_folder =
      std::string_view(url_path).substr(0, url_path.rfind('/') + 1);
  // The general case, as browsers resolve them: against the page's URL as
  // listed and its <base href>. Made when first needed.
  std::string from, comparable_from;
  std::string_view folder, host, comparable_folder, comparable_host;
  bool plain_from = false;
  for (const HeadAlternate& alternate : found) {
    ResolvedAlternates::Item item;
    item.code = resolved.Append(TrimView(alternate.hreflang, kHtmlBlanks));
    const std::string_view href = TrimView(alternate.href, kHtmlBlanks);
    if (plain_page && IsPlainPath(href) && href[0] != '/') {
      item.url = item.comparable = add(page_folder, href);
      item.below_base = item.path_only = true;
      item.hash = HashOf(resolved.Text(item.url));
      resolved.Push(item);
      continue;
    }
    if (from.empty()) {
      const std::string own = base_ + url_path;
      from = base_href.empty() ? own : ResolveUrl(own, base_href);
      comparable_from = ComparableUrl(from);
      plain_from = FolderAndHost(from, &folder, &host) &&
                   FolderAndHost(comparable_from, &comparable_folder, &comparable_host);
    }
    if (plain_from && IsPlainPath(href)) {
      const bool from_host = href[0] == '/';
      item.url = add(from_host ? host : folder, href);
      item.comparable = add(from_host ? comparable_host : comparable_folder, href);
    } else {
      const std::string url = ResolveUrl(from, href);
      item.url = resolved.Append(url);
      item.comparable = resolved.Append(ComparableUrl(url));
    }
    const std::string_view comparable = resolved.Text(item.comparable);
    item.below_base = comparable.compare(0, comparable_base_.size(), comparable_base_) == 0;
    if (item.below_base) item.hash = HashOf(comparable.substr(comparable_base_.size()));
    resolved.Push(item);
  }
  return resolved;
}

void HreflangClusters::Add(std::size_t page, const std::string& url_path,
                           const ResolvedAlternates& found) {
  if (found.empty()) return;
  if (index_.empty()) {
    IndexPages(page + 1);
    indexing_.store(true, std::memory_order_relaxed);
    // Room for every page to name as many as the first, with a longer URL
    // path: reserved, not touched, so a site where few pages name
    // alternates pays nothing for it, and one where all do never copies
    // what it holds.
    alternates_.reserve(pages_ * found.size());
    own_paths_.reserve(pages_);
    names_.reserve(pages_ * (url_path.size() - url_path.rfind('/') + 16));
  }
  // A page's URL path is kept as its folder, shared with the page before
  // it in most cases, and its name.
  const std::size_t name_start = url_path.rfind('/') + 1;  // 0 without one
  const std::string_view folder = std::string_view(url_path).substr(0, name_start);
  if (folders_.empty() || Folder(folders_.size() - 1) != folder) {
    folders_.emplace_back(folder_text_.size(), folder.size());
    folder_text_ += folder;
  }
  own_set_[page] = static_cast<std::uint32_t>(own_paths_.size());
  own_paths_.push_back(OwnPath{
      static_cast<std::uint32_t>(page), static_cast<std::uint32_t>(alternates_.size()),
      static_cast<std::uint32_t>(folders_.size() - 1), static_cast<std::uint32_t>(names_.size())});
  names_.append(url_path, name_start, std::string::npos);
  for (const ResolvedAlternates::Item& alternate : found) {
    std::uint32_t target = 0;
    if (alternate.below_base && last_taken_.known &&
        (alternate.hash == last_taken_.listed ||
         (last_taken_.has_file && alternate.hash == last_taken_.file))) {
      target = static_cast<std::uint32_t>(page);  // the page itself, as most name
    } else if (!alternate.below_base) {
      target = Outside(std::string(found.Text(alternate.url)),
                       std::string(found.Text(alternate.comparable)));
    } else if (!Find(alternate.hash, &target)) {
      // A page taken later, or none: known when it is taken, or at the check.
      target = kNoPage;
      NamedAhead named{static_cast<std::uint32_t>(alternates_.size()), alternate.path_only,
                       std::string(found.Text(alternate.url)), std::string()};
      if (!named.path_only) named.comparable = found.Text(alternate.comparable);
      named_ahead_.emplace(alternate.hash, std::move(named));
    }
    alternates_.push_back(Alternate{target, Code(found.Text(alternate.code))});
  }
}

std::uint32_t HreflangClusters::Outside(std::string url, std::string comparable) {
  // One place per URL, so that two spellings of it are one target.
  const auto [place, added] = outside_places_.emplace(std::move(comparable), outside_.size());
  if (added) outside_.push_back(std::move(url));
  return kOutside | place->second;
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
  std::string url = base_;
  if (!AppendUrlPath(target, &url)) url += url_path_(target);
  return url;
}

std::string_view HreflangClusters::Folder(std::size_t folder) const {
  return std::string_view(folder_text_).substr(folders_[folder].first, folders_[folder].second);
}

std::string_view HreflangClusters::Name(std::size_t set) const {
  const std::size_t end = set + 1 < own_paths_.size() ? own_paths_[set + 1].name : names_.size();
  return std::string_view(names_).substr(own_paths_[set].name, end - own_paths_[set].name);
}

bool HreflangClusters::AppendUrlPath(std::size_t page, std::string* out) const {
  const std::uint32_t set = own_set_.empty() ? kNoPage : own_set_[page];
  if (set == kNoPage) return false;
  *out += Folder(own_paths_[set].folder);
  *out += Name(set);
  return true;
}

std::string HreflangClusters::Named(std::uint32_t target) const {
  if (target & kOutside) return outside_[target & ~kOutside];
  return site_path_(target);
}

void HreflangClusters::Check(
    const std::function<void(const std::string&, const std::string&)>& problem) {
  if (alternates_.empty()) return;
  // What no page taken answered to is not in the site.
  // In page order, so that of two spellings of one URL the first names it.
  std::vector<NamedAhead*> unanswered;
  for (auto& [hash, named] : named_ahead_) {
    if (alternates_[named.alternate].target == kNoPage) unanswered.push_back(&named);
  }
  std::sort(unanswered.begin(), unanswered.end(),
            [](const NamedAhead* a, const NamedAhead* b) { return a->alternate < b->alternate; });
  for (NamedAhead* named : unanswered) {
    alternates_[named->alternate].target =
        named->path_only ? Outside(base_ + named->url, comparable_base_ + named->url)
                         : Outside(std::move(named->url), std::move(named->comparable));
  }
  named_ahead_ = {};
  parent_.resize(pages_);
  std::iota(parent_.begin(), parent_.end(), std::uint32_t{0});
  for (const OwnPath& own : own_paths_) {
    const auto [first, last] = SetOf(own.page);
    for (std::size_t i = first; i < last; ++i) {
      const std::uint32_t target = alternates_[i].target;
      if (!(target & kOutside)) parent_[Root(own.page)] = Root(target);
    }
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
  escaped_codes_.reserve(codes_.size());
  for (const std::string& code : codes_) escaped_codes_.push_back(EscapedForXml(code));
  // Engines ignore a faulty cluster whole: its links are not written.
  for (const OwnPath& own : own_paths_) {
    if (faulty[Root(own.page)]) {
      ++pages_left_out_;
      own_set_[own.page] = kNoPage;
    }
  }
  any_links_ = pages_left_out_ < own_paths_.size();
  parent_ = {};
}

std::string HreflangClusters::Links(std::size_t page, bool declare) const {
  std::string links;
  AppendLinks(page, declare, &links);
  return links;
}

void HreflangClusters::AppendLinks(std::size_t page, bool declare, std::string* out) const {
  const auto [first, last] = SetOf(static_cast<std::uint32_t>(page));
  for (std::size_t i = first; i < last; ++i) {
    *out += declare ? "<xhtml:link xmlns:xhtml=\"http://www.w3.org/1999/xhtml\" rel=\"alternate\""
                    : "<xhtml:link rel=\"alternate\"";
    *out += " hreflang=\"";
    *out += escaped_codes_[alternates_[i].code];
    *out += "\" href=\"";
    const std::uint32_t target = alternates_[i].target;
    const std::uint32_t set = (target & kOutside) ? kNoPage : own_set_[target];
    if (set != kNoPage) {
      // A page's URL path is percent-encoded but for unreserved bytes:
      // nothing in it to escape.
      *out += escaped_base_;
      *out += Folder(own_paths_[set].folder);
      *out += Name(set);
    } else {
      AppendEscaped(Url(target), EscapeFor::kXml, out);
    }
    *out += "\"/>";
  }
}

}  // namespace zorvitan
