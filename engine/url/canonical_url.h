// Where a link leads, against the URL of the page that holds it, and whether
// two URLs name the same resource.
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

// The one form in which SameUrl compares an absolute URL: scheme and host in
// lower case, no default port, "/" for an empty path, percent-escapes in one
// spelling, no fragment.
std::string ComparableUrl(std::string_view url);

}  // namespace zorvitan
