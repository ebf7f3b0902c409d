// The base URL below which a listing for engines or language models (a
// sitemap, llms.txt) names the site's pages.
#pragma once

#include <string>
#include <string_view>

namespace zorvitan {

class SystemText;

// Whether `text` is an absolute http:// or https:// URL with a host and no
// query, fragment, blank or control character: what --base-url takes.
bool IsBaseUrl(std::string_view text);

// The base URL as the listings write it: in UTF-8 (converted from the
// system's code page), bytes no URL may hold (blanks, quotes, letters beyond
// ASCII) percent-encoded, ending in "/".
std::string ListingBase(const std::string& base_url, const SystemText& system_text);

}  // namespace zorvitan
