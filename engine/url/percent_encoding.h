// Which bytes a URL holds as they are, and "%XX" for the others.
#pragma once

#include <string>
#include <string_view>

namespace zorvitan {

// The bytes a URL keeps as they are, by what it is for; any other byte is
// percent-encoded.
enum class UrlBytes {
  kPath,        // letters, digits, "-", ".", "_", "~" and "/": a page's path,
                // every name in it encoded but for RFC 3986's unreserved bytes
  kComparable,  // letters, digits and "-._~!$&'()*+,;=:@/?#": the one form in
                // which robots.txt rules and canonical URLs compare
  kWhole,       // those, "[", "]" and "%": a URL given whole (the base URL)
  kMapHref,     // all but the control bytes, "%", "#", "?" and '"': a path in
                // the HTML map's links, which browsers take as it stands
};

// Whether `kept` keeps every one of the bytes as it is.
bool KeepsAll(std::string_view bytes, UrlBytes kept);

// Appends the byte as "%XX", upper-case hexadecimal.
void AppendPercentEncoded(unsigned char byte, std::string* out);

// Appends the bytes, each one that `kept` does not keep as "%XX".
void AppendPercentEncoded(std::string_view bytes, UrlBytes kept, std::string* out);

// Percent-escapes decoded and written again in one way, so that two spellings
// of the same octets compare equal: every octet but UrlBytes::kComparable's
// as "%XX".
std::string ComparableUrlText(std::string_view text);
void AppendComparableUrlText(std::string_view text, std::string* out);

}  // namespace zorvitan
