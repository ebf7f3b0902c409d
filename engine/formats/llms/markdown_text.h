// Text and links in Markdown that read back as written: a CommonMark reader
// (the reference parser included) gives back each title, description and URL
// exactly, and no byte of them can open a link, emphasis, code or a block.
#pragma once

#include <string>
#include <string_view>

namespace zorvitan {

// Appends UTF-8 text on one line (its blanks collapsed beforehand) as inline
// Markdown: each character that could mean markup ("\", "`", "*", "_", "[",
// "]", "<", "#", "~", and "&" before a letter, digit or "#") escaped with "\".
void AppendMarkdownText(std::string_view text, std::string* out);

// The same for text that begins a block (after "> "): what would open a list,
// a quote or a heading there ("-", "+", ">", "=", "1." or "1)") is escaped too.
void AppendMarkdownBlockText(std::string_view text, std::string* out);

// Appends a URL, percent-encoded already, as a link's destination: "(", ")"
// and "&" (which a base URL may hold) and any blank or control byte as %XX,
// so nothing ends the link early or is read as a reference.
void AppendMarkdownUrl(std::string_view url, std::string* out);

}  // namespace zorvitan
