// What the elements of a head mean for a page: robots metas, refreshes,
// canonical and alternate links, the description, the base URL.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/page/page_head.h"

namespace zorvitan {

// One attribute of a tag as the tokenizer read it: its name and value as
// written (names match in any letter case; references not decoded yet).
struct TagAttribute {
  std::string_view name;
  std::string_view value;
};
using TagAttributes = std::vector<TagAttribute>;

// The value of attribute `name` with its character references decoded; false
// when the tag has none. The first of a name counts.
bool AttributeValue(const TagAttributes& attributes, std::string_view name, std::string* value);

// Notes what a <meta> or <link> tag says into `links` (found in the head, or
// past its end); `head` takes what only the head's own elements give (the
// description). `head` may be null.
void NoteHeadElement(std::string_view element, const TagAttributes& attributes, HeadLinks* links,
                     PageHead* head);

// Whether a robots meta's content says noindex ("noindex" or "none" among its words).
bool ContentSaysNoindex(std::string_view content);

// The URL a refresh's content names ("0; url=next.html", "5,'next.html'"):
// false when it names none.
bool RefreshUrl(std::string_view content, std::string* url);

// Whether a space-separated list (rel="alternate canonical") holds `word`,
// letters in any case.
bool HasWord(std::string_view list, std::string_view word);

}  // namespace zorvitan
