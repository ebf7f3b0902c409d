#include "engine/formats/sitemap/sitemap_url.h"

#include <array>
#include <cstdio>

#include "engine/platform/file_system.h"
#include "engine/platform/system_text.h"
#include "engine/text/foreign_names.h"
#include "engine/text/text_rules.h"

namespace zorvitan {
namespace {

bool IsUnreserved(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

// Unreserved, reserved and "%": what may stand in a URL as it is.
bool MayStandInUrl(unsigned char c) {
  static const std::string_view kReserved = ":/?#[]@!$&'()*+,;=%";
  return IsUnreserved(c) || kReserved.find(static_cast<char>(c)) != std::string_view::npos;
}

template <typename Keep>
void AppendEncoded(std::string_view bytes, Keep keep, std::string* out) {
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (keep(byte)) {
      *out += c;
    } else {
      AppendPercentEncoded(byte, out);
    }
  }
}

}  // namespace

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

std::string SitemapBase(const std::string& base_url, const SystemText& system_text) {
  std::string base;
  AppendEncoded(system_text.Utf8FromCodePage(base_url), MayStandInUrl, &base);
  if (base.empty() || base.back() != '/') base += '/';
  return base;
}

void AppendUrlPath(std::string_view relative, const FileSystem& file_system,
                   const SystemText& system_text, std::string* out) {
  const char separator = file_system.Separator();
  auto encode = [separator, out](std::string_view utf8) {
    for (const char c : utf8) {
      const auto byte = static_cast<unsigned char>(c);
      if (c == separator || c == '/') {
        *out += '/';
      } else if (IsUnreserved(byte)) {
        *out += c;
      } else {
        AppendPercentEncoded(byte, out);
      }
    }
  };
  ForEachMarkedName(
      relative, system_text.MarksForeignNames(),
      [&](std::string_view plain) { encode(system_text.Utf8FromCodePage(std::string(plain))); },
      encode);
}

void AppendXmlEscaped(std::string_view text, std::string* out) {
  for (const char c : text) {
    switch (c) {
      case '&':
        *out += "&amp;";
        break;
      case '<':
        *out += "&lt;";
        break;
      case '>':
        *out += "&gt;";
        break;
      case '\'':
        *out += "&apos;";
        break;
      case '"':
        *out += "&quot;";
        break;
      default:
        *out += c;
    }
  }
}

std::string W3cDateTime(std::int64_t seconds_since_1970) {
  // Days to the civil date in the proleptic Gregorian calendar, counted in
  // 400-year eras that start on March 1st (H. Hinnant's civil_from_days).
  std::int64_t days = seconds_since_1970 / 86400;
  std::int64_t seconds = seconds_since_1970 % 86400;
  if (seconds < 0) {
    seconds += 86400;
    --days;
  }
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t day_of_era = z - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t shifted_month = (5 * day_of_year + 2) / 153;
  const std::int64_t day = day_of_year - (153 * shifted_month + 2) / 5 + 1;
  const std::int64_t month = shifted_month < 10 ? shifted_month + 3 : shifted_month - 9;
  const std::int64_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  if (year < 1 || year > 9999) return std::string();
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", static_cast<int>(year),
                static_cast<int>(month), static_cast<int>(day), static_cast<int>(seconds / 3600),
                static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  return text;
}

}  // namespace zorvitan
