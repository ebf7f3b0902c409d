#include "engine/url/page_url.h"

#include "engine/platform/file_system.h"
#include "engine/platform/system_text.h"
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

}  // namespace zorvitan
