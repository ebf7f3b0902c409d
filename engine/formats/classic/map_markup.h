// How file and folder names go into the map's markup. Names are bytes in the
// system's code page; only what would break the markup or change where a link
// leads is rewritten, so a site with ordinary names gets the same bytes as ever.
#pragma once

#include <string>
#include <string_view>

namespace zorvitan {

class SystemText;

// How the bytes of file and folder names stand in paths.
enum class NameBytes {
  kCodePage,        // letters of the map's 8-bit code page, byte for byte
  kCodePageMarked,  // the same, with names the code page cannot hold marked
                    // (engine/text/foreign_names.h): their UTF-8 follows the mark
  kUtf8,            // UTF-8, as the map is, but not always valid (POSIX names)
};

// What the platform's paths hold.
NameBytes NameBytesOf(const SystemText& system_text);

// Appends a relative path as the value of an href="...": "%", "#", "?", '"'
// and the control bytes (0x00-0x1F, 0x7F) are percent-encoded, "&" becomes
// "&amp;". Blanks, quotes, brackets, letters and backslashes stay as they
// are; browsers take them as they stand. A marked name is written as its UTF-8
// bytes, percent-encoded, which browsers resolve whatever the map's code
// page; so are the bytes of a UTF-8 name that are not valid UTF-8, which then
// lead to the file byte for byte.
void AppendHref(std::string_view path, NameBytes names, std::string* out);

// Appends a path shown by the browser as text: "&", "<" and ">" as entities.
// The letters of a marked name are written as character references
// ("&#26085;"); bytes of a UTF-8 name that are not valid UTF-8 as U+FFFD
// ("&#65533;"), so the map stays valid UTF-8.
void AppendHtmlText(std::string_view text, NameBytes names, std::string* out);

}  // namespace zorvitan
