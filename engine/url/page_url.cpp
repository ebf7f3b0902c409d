#include "engine/url/page_url.h"

#include "engine/platform/platform.h"
#include "engine/text/foreign_names.h"
#include "engine/text/text_rules.h"
#include "engine/url/percent_encoding.h"

namespace zorvitan {

std::string NamesInUtf8(std::string_view names, const Platform& platform) {
  std::string utf8;
  ForEachMarkedName(
      names, platform.MarksForeignNames(),
      [&](std::string_view plain) { utf8 += platform.Utf8FromCodePage(std::string(plain)); },
      [&utf8](std::string_view marked) { utf8 += marked; });
  return utf8;
}

std::string SitePathInUtf8(std::string_view relative, const Platform& platform) {
  return WithForwardSlashes(NamesInUtf8(relative, platform), platform.Separator());
}

void AppendUrlPath(std::string_view relative, const Platform& platform, std::string* out) {
  AppendPercentEncoded(SitePathInUtf8(relative, platform), UrlBytes::kPath, out);
}

}  // namespace zorvitan
