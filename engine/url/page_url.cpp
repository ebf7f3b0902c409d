#include "engine/url/page_url.h"

#include <algorithm>

#include "engine/formats/sitemap/sitemap_url.h"
#include "engine/platform/platform.h"
#include "engine/text/text_rules.h"

namespace zorvitan {

PageUrls::PageUrls(const std::string& site_folder, PageUrlRules rules, const Platform& platform)
    : site_(site_folder), rules_(rules), platform_(platform) {}

void PageUrls::Path(const std::string& page, std::string* path, bool* folder_url) const {
  std::string relative = page.substr(site_.size());
  *folder_url = false;
  if (rules_.strip_index) {
    const std::string folder = FolderOf(relative, platform_.Separator());
    if (IsIndexName(relative.substr(folder.size()))) {
      *folder_url = true;
      relative.resize(folder.size());
    }
  }
  const std::size_t html = relative.size() - std::min<std::size_t>(relative.size(), 5);
  if (rules_.clean_urls && !*folder_url && relative.compare(html, 5, ".html") == 0) {
    relative.resize(html);
  }
  path->clear();
  AppendUrlPath(relative, platform_, path);
}

}  // namespace zorvitan
