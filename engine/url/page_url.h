// A page's path in the site as text and as a URL path, as every format that
// names pages writes it; and a page's URL below the base URL, as the listings
// for engines and language models give it.
#pragma once

#include <string>
#include <string_view>

namespace zorvitan {

class FileSystem;
class Platform;
class SystemText;

// File and folder names as UTF-8: converted from the system's code page, a
// name it cannot hold (marked, engine/text/foreign_names.h) taken from its
// UTF-8; on POSIX, bytes that are not valid UTF-8 stay as they are.
std::string NamesInUtf8(std::string_view names, const SystemText& system_text);

// A path relative to the site (the platform's separators) as the report and
// git name it: its names in UTF-8, with "/" between them.
std::string SitePathInUtf8(std::string_view relative, const FileSystem& file_system,
                           const SystemText& system_text);

// Appends a path relative to the site as a URL path: SitePathInUtf8's bytes,
// each one outside RFC 3986's unreserved characters and "/" percent-encoded.
void AppendUrlPath(std::string_view relative, const FileSystem& file_system,
                   const SystemText& system_text, std::string* out);

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
