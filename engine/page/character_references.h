// Character references ("&amp;", "&#322;", "&copy") decoded as the HTML
// tokenizer decodes them, in text and in attribute values.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zorvitan {

// Decodes the character reference that starts at text[at] (which is '&') as
// the HTML tokenizer does, appending its UTF-8 to `out`; returns how many bytes
// it took, or 0 when it is no reference (the '&' then stands as itself).
// `in_attribute`: the attribute-value rule (a named reference without ';'
// followed by '=' or an ASCII letter or digit is left as written).
std::size_t DecodeCharacterReference(std::string_view text, std::size_t at, bool in_attribute,
                                     std::string* out);

// Every reference in `text` decoded; other bytes copied as they are.
std::string DecodeCharacterReferences(std::string_view text, bool in_attribute);

}  // namespace zorvitan
