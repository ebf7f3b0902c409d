// How pages become URLs and dates in a machine sitemap.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zorvitan {

class FileSystem;
class SystemText;

// Whether `text` is an absolute http:// or https:// URL with a host and no
// query, fragment, blank or control character: what --base-url takes.
bool IsBaseUrl(std::string_view text);

// The base URL as the sitemap writes it: in UTF-8 (converted from the
// system's code page), bytes no URL may hold (blanks, quotes, letters beyond
// ASCII) percent-encoded, ending in "/".
std::string SitemapBase(const std::string& base_url, const SystemText& system_text);

// Appends a path relative to the site (the platform's separators) as a URL
// path: "/"-separated, in UTF-8, each byte outside RFC 3986's unreserved
// characters percent-encoded. A name the code page cannot hold (marked, see
// engine/text/foreign_names.h) is taken from its UTF-8; on POSIX, bytes that are
// not valid UTF-8 are encoded as they are.
void AppendUrlPath(std::string_view relative, const FileSystem& file_system,
                   const SystemText& system_text, std::string* out);

// Appends text with "&", "<", ">", "'" and '"' as XML entities.
void AppendXmlEscaped(std::string_view text, std::string* out);

// A time in W3C date-time form, UTC, to the second: "2024-05-01T12:34:56Z".
// "" outside the years 1 to 9999.
std::string W3cDateTime(std::int64_t seconds_since_1970);

}  // namespace zorvitan
