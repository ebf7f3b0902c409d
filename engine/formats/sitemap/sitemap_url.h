// The base URL and the dates of a machine sitemap.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zorvitan {

class SystemText;

// Whether `text` is an absolute http:// or https:// URL with a host and no
// query, fragment, blank or control character: what --base-url takes.
bool IsBaseUrl(std::string_view text);

// The base URL as the sitemap writes it: in UTF-8 (converted from the
// system's code page), bytes no URL may hold (blanks, quotes, letters beyond
// ASCII) percent-encoded, ending in "/".
std::string SitemapBase(const std::string& base_url, const SystemText& system_text);

// A time in W3C date-time form, UTC, to the second: "2024-05-01T12:34:56Z".
// "" outside the years 1 to 9999.
std::string W3cDateTime(std::int64_t seconds_since_1970);

}  // namespace zorvitan
