// What the command line chooses for a machine sitemap (sitemaps.org 0.9)
// instead of the HTML map.
#pragma once

#include <cstddef>
#include <string>

namespace zorvitan {

struct SitemapOptions {
  enum class Format { kXml, kText };
  Format format = Format::kXml;
  std::string base_url;  // absolute http(s) URL in the system's code page (IsBaseUrl)
  // index.htm, index.html and index.php written as their folder's URL.
  bool strip_index = false;
  // Per file, the protocol's limits; a site that needs more is split.
  std::size_t max_urls = 50000;
  std::size_t max_bytes = 50 * 1024 * 1024;
};

}  // namespace zorvitan
