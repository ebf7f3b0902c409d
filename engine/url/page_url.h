// A page's URL below the site's base URL, as every listing for engines gives
// it: its path in the site, or its folder's URL for an index page under
// --strip-index, "page" for page.html under --clean-urls.
#pragma once

#include <string>

namespace zorvitan {

class Platform;

// How page paths become URL paths.
struct PageUrlRules {
  // index.htm, index.html and index.php written as their folder's URL.
  bool strip_index = false;
  // page.html written as "page"; with strip_index, dir/index.html as "dir/".
  bool clean_urls = false;
};

class PageUrls {
 public:
  // `site_folder` ends in its separator.
  PageUrls(const std::string& site_folder, PageUrlRules rules, const Platform& platform);

  // The URL path of `page` (a path in the page list) relative to the base:
  // "/"-separated, UTF-8, percent-encoded; `folder_url` tells an index page
  // written as its folder's URL.
  void Path(const std::string& page, std::string* path, bool* folder_url) const;

 private:
  const std::string& site_;
  PageUrlRules rules_;
  const Platform& platform_;
};

}  // namespace zorvitan
