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
// stay as they are; browsers take them as they stand. With `marked_names`, a
// name the code page cannot hold (engine/foreign_names.h) is written as its
// UTF-8 bytes, percent-encoded, which browsers resolve whatever the map's
// code page.
void AppendHref(std::string_view path, bool marked_names, std::string* out);

// Appends a path shown by the browser as text: "&", "<" and ">" as entities.
// With `marked_names`, the letters of a name the code page cannot hold are
// written as numeric character references ("&#26085;").
void AppendHtmlText(std::string_view text, bool marked_names, std::string* out);

}  // namespace zorvitan
