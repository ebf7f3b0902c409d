// The encoding a page declares, found as browsers find it before they parse
// the page: its byte-order mark, else a <meta> among its first 1024 bytes.
#pragma once

#include <cstddef>
#include <string_view>

namespace zorvitan {

// The bytes of a page's beginning that browsers search for a <meta> charset.
inline constexpr std::size_t kEncodingPrescanBytes = 1024;

// "UTF-8", "UTF-16LE" or "UTF-16BE" for a page that begins with that
// byte-order mark; "" otherwise. `*length` is the mark's length.
std::string_view EncodingOfByteOrderMark(std::string_view head, std::size_t* length);

// The encoding that <meta charset="..."> or <meta http-equiv="Content-Type"
// content="...; charset=..."> names among the first kEncodingPrescanBytes of
// `head`, as canonical name (encoding_labels.h); "" when none names one that
// browsers know. A <meta> inside a comment does not count; a declaration of
// UTF-16 means UTF-8, since a page that reads it is not in UTF-16.
std::string_view EncodingOfMeta(std::string_view head);

// The byte-order mark's encoding, else the <meta>'s; "" when the page
// declares none.
std::string_view DeclaredEncoding(std::string_view head);

}  // namespace zorvitan
