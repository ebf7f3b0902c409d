// Text written into HTML or XML: the characters that would be read as markup
// written as references instead. Each place escapes its own set, so that a
// title keeps its references while a file name's "&" becomes "&amp;".
#pragma once

#include <string>
#include <string_view>

namespace zorvitan {

// Where the text goes, and so what it escapes.
enum class EscapeFor {
  kHtmlText,             // between tags: "&", "<", ">"
  kHtmlAttribute,        // a value in double quotes: "&", '"'
  kHtmlTextOrAttribute,  // either place: "&", "<", ">", '"'
  kHtmlSourceText,       // text whose references stand as written ("&amp;" stays):
                         // "<", ">", and NUL as U+FFFD, as a browser shows it
  kXml,                  // "&", "<", ">", "'", '"'
};

// Appends `text` with the characters `place` escapes as references and
// every other byte as it is.
void AppendEscaped(std::string_view text, EscapeFor place, std::string* out);

}  // namespace zorvitan
