// How file and folder names go into the map's markup. Names are bytes in the
// system's code page; only what would break the markup or change where a link
// leads is rewritten, so a site with ordinary names gets the same bytes as ever.
#pragma once

#include <string>
#include <string_view>

namespace zorvitan {

// Appends a relative path as the value of an href="...": "%", "#", "?", '"'
// and the control bytes (0x00-0x1F, 0x7F) are percent-encoded, "&" becomes
// "&amp;". Blanks, quotes, brackets, letters of the code page and backslashes
// stay as they are; browsers take them as they stand.
void AppendHref(std::string_view path, std::string* out);

// Appends text shown by the browser as text: "&", "<" and ">" as entities.
void AppendHtmlText(std::string_view text, std::string* out);

}  // namespace zorvitan
