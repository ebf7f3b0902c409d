// The language versions that listed pages name (<link rel="alternate"
// hreflang="..." href="..."> in the head), checked as search engines check
// them. A page and the pages it names form a cluster; engines ignore a
// cluster with any fault in it, so its links are left out of the listing
// (its pages stay listed). Held compactly: a page number per alternate in the
// site, and only the pages that name alternates.
#pragma once

#include <array>
#include <atomic>
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

// A page's alternates resolved, on a reading thread, for HreflangClusters::Add.
// Most pages name a few alternates with short URLs: they are held in place,
// so a page costs no allocation (for the other thread to free).
class ResolvedAlternates {
 public:
  using Span = std::pair<std::uint32_t, std::uint32_t>;  // start and size in the text
  struct Item {
    Span code;        // hreflang, blanks trimmed
    Span url;         // href resolved: written as it stands outside the site
    Span comparable;  // ComparableUrl(url)
    bool below_base = false;
    // The common case, spared two URLs: url and comparable are the one path
    // below the base, which base and comparable base complete.
    bool path_only = false;
    std::size_t hash = 0;  // of its path below the base, when below_base
  };

  std::string_view Text(Span span) const {
    return std::string_view(TextData(), text_size_).substr(span.first, span.second);
  }
  // Appends `piece` to the text: its span there.
  Span Append(std::string_view piece);
  void Push(const Item& item);
  bool empty() const { return count_ == 0; }
  std::size_t size() const { return count_; }
  const Item* begin() const { return count_ > kItemsInPlace ? more_items_.data() : items_.data(); }
  const Item* end() const { return begin() + count_; }

 private:
  static constexpr std::size_t kItemsInPlace = 4;
  static constexpr std::size_t kTextInPlace = 224;
  const char* TextData() const { return more_text_.empty() ? text_.data() : more_text_.data(); }

  std::array<char, kTextInPlace> text_{};
  std::uint32_t text_size_ = 0;
  std::string more_text_;  // all of the text, once it outgrows text_
  std::array<Item, kItemsInPlace> items_;
  std::uint32_t count_ = 0;
  std::vector<Item> more_items_;  // all of the items, once they outgrow items_
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

  // How a page is found: hashes of its URL path below the base as listed,
  // and of its file's, when that differs (PageText's forms); on either
  // reading thread.
  struct PageKeys {
    bool known = false;  // else Taken() finds them
    std::size_t listed = 0;
    std::size_t file = 0;
    bool has_file = false;
  };
  static PageKeys KeysOf(std::string_view url_path, std::string_view file_url_path);
  // Whether a page has named alternates: the pages read from then on are
  // found by their keys (on either reading thread).
  bool Indexing() const { return indexing_.load(std::memory_order_relaxed); }
  // Page `page` taken: listed, or left out for `why`. Every page, in order.
  void Taken(std::size_t page, bool listed, LeftOut why, PageKeys keys);
  // A page's alternates (hrefs in UTF-8) resolved against its URL path
  // below the base as listed and its <base href>; on either reading thread.
  ResolvedAlternates Resolve(const std::string& url_path, const std::vector<HeadAlternate>& found,
                             const std::string& base_href) const;
  // A listed page's alternates, as Resolve() gave them, just after it is Taken().
  void Add(std::size_t page, const std::string& url_path, const ResolvedAlternates& found);

  // Once every page is taken: checks each listed page's alternates and
  // calls `problem` with the page's path in the site and the report's words,
  // in page order ("hreflang de: no return link from de/a.html").
  void Check(const std::function<void(const std::string&, const std::string&)>& problem);

  // The <xhtml:link .../> elements of page `page`, XML-escaped; "" when it
  // names none or its cluster is left out. `declare` puts the namespace on
  // each element, for a file whose <urlset> was written without it.
  std::string Links(std::size_t page, bool declare = false) const;
  void AppendLinks(std::size_t page, bool declare, std::string* out) const;
  // Appends the URL path below the base that page `page` was added with,
  // when its links are written; false otherwise.
  bool AppendUrlPath(std::size_t page, std::string* out) const;
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
  // URL path below the base: a folder and the name that starts there in
  // names_ (ending where the next page's starts).
  struct OwnPath {
    std::uint32_t page;
    std::uint32_t first;
    std::uint32_t folder;
    std::uint32_t name;
  };
  struct Alternate {
    std::uint32_t target;  // the page it names, or kOutside | the URL's place in outside_
    std::uint32_t code;    // its place in codes_
  };

  // The number of the page whose URL path below the base (in
  // ComparableUrlText's form) has the hash `hash`, a listed one first; false
  // when none has.
  bool Find(std::size_t hash, std::uint32_t* page) const;
  // The index, with the pages [0, taken).
  void IndexPages(std::size_t taken);
  void Insert(std::size_t hash, std::uint32_t page);
  std::size_t SlotOf(std::size_t hash) const;
  std::size_t NextSlot(std::size_t at) const;
  // The target for a URL outside the site's pages.
  std::uint32_t Outside(std::string url, std::string comparable);
  std::uint32_t Code(std::string_view code);
  // The alternates of page `page`: [first, last) in alternates_.
  std::pair<std::size_t, std::size_t> SetOf(std::uint32_t page) const;
  std::uint32_t Root(std::uint32_t page);
  std::string_view Folder(std::size_t folder) const;
  std::string_view Name(std::size_t set) const;
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
  PageKeys last_taken_;               // of the page taken last
  struct Slot {
    std::size_t hash;    // of a URL path
    std::uint32_t page;  // kNoPage: empty
  };
  std::vector<Slot> index_;
  std::atomic<bool> indexing_{false};   // index_ is made
  std::vector<std::uint32_t> own_set_;  // per page: its place in own_paths_, or kNoPage
  std::vector<Alternate> alternates_;   // in page order
  std::vector<OwnPath> own_paths_;      // of the pages that name alternates, in page order
  std::string names_;
  std::string folder_text_;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> folders_;  // start, size in folder_text_
  std::vector<std::string> codes_;                                // as written
  std::vector<std::string> escaped_codes_;                        // for XML, once checked
  std::unordered_map<std::string, std::uint32_t> code_places_;    // in codes_
  // Alternates that name a page not taken yet, by its hash: their URLs, to
  // name them when no page answers.
  struct NamedAhead {
    std::uint32_t alternate;  // in alternates_
    bool path_only;           // url is the path below the base, and comparable
    std::string url;
    std::string comparable;
  };
  std::unordered_multimap<std::size_t, NamedAhead> named_ahead_;
  std::vector<std::string> outside_;  // URLs that name no page of the site, resolved
  std::unordered_map<std::string, std::uint32_t> outside_places_;  // by ComparableUrl
  std::vector<std::uint32_t> parent_;  // clusters, as a union-find forest over pages
  std::vector<bool> faulty_;           // by cluster root
  bool any_links_ = false;
  std::size_t problems_ = 0;
  std::size_t pages_left_out_ = 0;
};

}  // namespace zorvitan
