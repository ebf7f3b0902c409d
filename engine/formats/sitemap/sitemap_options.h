// What the command line chooses for a machine sitemap (sitemaps.org 0.9)
// instead of the HTML map.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

namespace zorvitan {

struct SitemapOptions {
  enum class Format { kXml, kText };
  Format format = Format::kXml;
  std::string base_url;  // absolute http(s) URL in the system's code page (IsBaseUrl)
  // index.htm, index.html and index.php written as their folder's URL.
  bool strip_index = false;
  // page.html written as "page"; with strip_index, dir/index.html as "dir/".
  bool clean_urls = false;
  // Where <lastmod> comes from: git when the site lies in a work tree with
  // its whole history, else the file's time (auto); always git; file times;
  // no date at all.
  enum class Lastmod { kAuto, kGit, kMtime, kNone };
  Lastmod lastmod = Lastmod::kAuto;
  // The time of the run, in seconds since 1970: a later date is not written.
  std::int64_t now = std::numeric_limits<std::int64_t>::max();
  // The file that names each page left out, and why (absolute by the time
  // of the run); "" for none.
  std::string report_file{};
  // Writes each page's hreflang alternates (XML only), checked.
  bool hreflang = true;
  // Adds "Sitemap: URL" to the site's robots.txt.
  bool robots_txt = false;
  // Per file, the protocol's limits; a site that needs more is split.
  std::size_t max_urls = 50000;
  std::size_t max_bytes = 50 * 1024 * 1024;
};

}  // namespace zorvitan
