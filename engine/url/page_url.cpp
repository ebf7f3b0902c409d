#include "engine/url/page_url.h"

#include <algorithm>

#include "engine/platform/platform.h"
#include "engine/text/foreign_names.h"
#include "engine/text/text_rules.h"
#include "engine/url/percent_encoding.h"

namespace zorvitan {

std::string NamesInUtf8(std::string_view names, const SystemText& system_text) {
  std::string utf8;
  ForEachMarkedName(
      names, system_text.MarksForeignNames(),
      [&](std::string_view plain) { utf8 += system_text.Utf8FromCodePage(std::string(plain)); },
      [&utf8](std::string_view marked) { utf8 += marked; });
  return utf8;
}

std::string SitePathInUtf8(std::string_view relative, const FileSystem& file_system,
                           const SystemText& system_text) {
  return WithForwardSlashes(NamesInUtf8(relative, system_text), file_system.Separator());
}

void AppendUrlPath(std::string_view relative, const FileSystem& file_system,
                   const SystemText& system_text, std::string* out) {
  AppendPercentEncoded(SitePathInUtf8(relative, file_system, system_text), UrlBytes::kPath, out);
}

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
  AppendUrlPath(relative, platform_, platform_, path);
}

}  // namespace zorvitan
