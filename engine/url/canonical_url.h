// Where a page's canonical link leads, against the page's own URL.
#pragma once

#include <string>
#include <string_view>

namespace zorvitan {

// The reference resolved against an absolute http(s) URL (RFC 3986, section
// 5.2), without its fragment.
std::string ResolveUrl(std::string_view base, std::string_view reference);

// Whether two absolute URLs name the same resource: scheme and host in any
// case, a default port or none, an empty path or "/", percent-escapes of the
// same octets, and any fragment, all alike.
bool SameUrl(std::string_view a, std::string_view b);

// The text with each "%XX" turned into its octet.
std::string PercentDecoded(std::string_view text);

}  // namespace zorvitan
