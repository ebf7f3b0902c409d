// The language versions that listed pages name (<link rel="alternate"
// hreflang="..." href="..."> in the head), checked as search engines check
// them. A page and the pages it names form a cluster; engines ignore a
// cluster with any fault in it, so its links are left out of the listing
// (its pages stay listed). Held compactly: a page number per alternate in the
// site, and only the pages that name alternates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/listing/listing_notices.h"
#include "engine/page/page_head.h"

namespace zorvitan {

// A page's alternates resolved, on a reading thread, for HreflangClusters::Add:
// their texts in one string, one allocation a page (freed on another thread).
struct ResolvedAlternates {
  using Span = std::pair<std::uint32_t, std::uint32_t>;  // start and size in text
  struct Item {
    Span code;        // hreflang, blanks trimmed
    Span url;         // href resolved: written as it stands outside the site
    Span comparable;  // ComparableUrl(url)
    bool below_base = false;
    std::size_t hash = 0;  // of its path below the base, when below_base
  };
  std::string_view Text(Span span) const {
    return std::string_view(text).substr(span.first, span.second);
  }
  std::string text;
  std::vector<Item> items;
};

class HreflangClusters {
 public:
  // A page's URL path below the base (as PageUrls gives it), and its path in
  // the site as the report names it, by its number in the listing.
  using PageText = std::function<std::string(std::size_t)>;

  // `base` as ListingBase() gives it; `pages` the listing's pages, numbered
  // from 0 in the order they are taken. `file_url_path`, when the listing
  // writes URLs other than the files' paths (--strip-index, --clean-urls),
  // gives the URL path of the page's file: an alternate may name either.
  HreflangClusters(const std::string& base, std::size_t pages, PageText url_path,
                   PageText site_path, PageText file_url_path = nullptr);

  // Page `page` taken: listed, or left out for `why`. Every page, in order.
  void Taken(std::size_t page, bool listed, LeftOut why);
  // A page's alternates (hrefs in UTF-8) resolved against its URL path
  // below the base as listed and its <base href>; on either reading thread.
  ResolvedAlternates Resolve(const std::string& url_path, const std::vector<HeadAlternate>& found,
                             const std::string& base_href) const;
  // A listed page's alternates, as Resolve() gave them.
  void Add(std::size_t page, const std::string& url_path, const ResolvedAlternates& found);
  bool Any() const { return !alternates_.empty(); }

  // Once every page is taken: checks each listed page's alternates and
  // calls `problem` with the page's path in the site and the report's words,
  // in page order ("hreflang de: no return link from de/a.html").
  void Check(const std::function<void(const std::string&, const std::string&)>& problem);

  // The <xhtml:link .../> elements of page `page`, XML-escaped; "" when it
  // names none or its cluster is left out. `declare` puts the namespace on
  // each element, for a file whose <urlset> was written without it.
  std::string Links(std::size_t page, bool declare = false) const;
  // The URL path below the base that page `page` was added with, when its
  // links are written; false otherwise.
  bool UrlPathOf(std::size_t page, std::string* path) const;
  // Whether any page has links written.
  bool AnyLinks() const { return any_links_; }
  // The problems found, and the pages whose links are left out for them.
  std::size_t Problems() const { return problems_; }
  std::size_t PagesLeftOut() const { return pages_left_out_; }

 private:
  static constexpr std::uint32_t kOutside = 0x80000000u;  // target: an index in outside_
  static constexpr std::uint32_t kNoPage = 0xFFFFFFFFu;
  static constexpr std::uint8_t kListed = 0xFE;
  static constexpr std::uint8_t kNotTaken = 0xFF;

  // A page that names alternates: where they start in alternates_, and its
  // URL path below the base.
  struct OwnPath {
    std::uint32_t page;
    std::uint32_t first;
    std::uint32_t start;  // in paths_
    std::uint32_t size;
  };
  struct Alternate {
    std::uint32_t page;    // the page that names it
    std::uint32_t target;  // the page it names, or kOutside | the URL's place in outside_
    std::uint32_t code;    // its place in codes_
  };

  // The number of the page whose URL path below the base (in
  // ComparableUrlText's form) has the hash `hash`, a listed one first; false
  // when none has.
  bool Find(std::size_t hash, std::uint32_t* page) const;
  void IndexPages();
  std::uint32_t Code(std::string_view code);
  // The alternates of page `page`: [first, last) in alternates_.
  std::pair<std::size_t, std::size_t> SetOf(std::uint32_t page) const;
  std::uint32_t Root(std::uint32_t page);
  std::string Url(std::uint32_t target) const;
  std::string Named(std::uint32_t target) const;

  std::string base_;
  std::string comparable_base_;
  std::string escaped_base_;  // for XML
  std::size_t pages_;
  PageText url_path_;
  PageText site_path_;
  PageText file_url_path_;
  std::vector<std::uint8_t> status_;  // kListed, else LeftOut, per page
  struct Slot {
    std::size_t hash;    // of a URL path
    std::uint32_t page;  // kNoPage: empty
  };
  std::vector<Slot> index_;
  std::vector<std::uint32_t> own_set_;  // per page: its place in own_paths_, or kNoPage
  std::vector<Alternate> alternates_;   // in page order
  std::vector<OwnPath> own_paths_;      // of the pages that name alternates, in page order
  std::string paths_;
  std::vector<std::string> codes_;                              // as written
  std::unordered_map<std::string, std::uint32_t> code_places_;  // in codes_
  std::vector<std::string> outside_;  // URLs that name no page of the site, resolved
  std::unordered_map<std::string, std::uint32_t> outside_places_;  // by ComparableUrl
  std::vector<std::uint32_t> parent_;  // clusters, as a union-find forest over pages
  std::vector<bool> faulty_;           // by cluster root
  bool any_links_ = false;
  std::size_t problems_ = 0;
  std::size_t pages_left_out_ = 0;
};

}  // namespace zorvitan
