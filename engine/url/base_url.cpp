#include "engine/url/base_url.h"

#include "engine/platform/system_text.h"
#include "engine/text/text_rules.h"
#include "engine/url/percent_encoding.h"

namespace zorvitan {

bool IsBaseUrl(std::string_view text) {
  std::size_t host_start = 0;
  for (const std::string_view scheme : {"http://", "https://"}) {
    if (FindNoCase(text, scheme) == 0) host_start = scheme.size();
  }
  if (host_start == 0) return false;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte == 0x7F || c == '?' || c == '#') return false;
  }
  const std::size_t host_end = text.find('/', host_start);
  return (host_end == std::string_view::npos ? text.size() : host_end) > host_start;
}

std::string ListingBase(const std::string& base_url, const SystemText& system_text) {
  std::string base;
  AppendPercentEncoded(system_text.Utf8FromCodePage(base_url), UrlBytes::kWhole, &base);
  if (base.empty() || base.back() != '/') base += '/';
  return base;
}

}  // namespace zorvitan
