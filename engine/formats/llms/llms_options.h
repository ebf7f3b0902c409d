// What the command line chooses for llms.txt: the site's index for language
// models, in Markdown, with its URLs and left-out pages as a sitemap has them.
#pragma once

#include <string>
#include <vector>

namespace zorvitan {

struct LlmsOptions {
  std::string base_url;  // absolute http(s) URL in the system's code page (IsBaseUrl)
  // index.htm, index.html and index.php written as their folder's URL.
  bool strip_index = false;
  // page.html written as "page"; with strip_index, dir/index.html as "dir/".
  bool clean_urls = false;
  // The file that names each page left out, and why (absolute by the time
  // of the run); "" for none.
  std::string report_file{};
  // The site's name, in the system's code page; unset for the top index
  // page's title, else the base URL's host.
  bool has_title = false;
  std::string title{};
  // Globs over a folder's path in the site ("archive/**"): the pages of the
  // folders they match, and of the folders below, go under "## Optional".
  std::vector<std::string> optional{};
};

}  // namespace zorvitan
