#include "engine/listing/listed_text.h"

#include "engine/text/text_rules.h"
#include "engine/text/utf8.h"

namespace zorvitan {

std::string ShownTitle(const TextConverter& converter, const PageHead& head) {
  if (head.title.empty()) return std::string();
  return TitleText(converter.ToUtf8(head.title, head.declared_encoding));
}

// The content's character references are decoded already: only its blanks
// and NULs are left to settle.
std::string ShownDescription(const TextConverter& converter, const PageHead& head) {
  if (!head.has_description) return std::string();
  const std::string utf8 = ValidUtf8(converter.ToUtf8(head.description, head.declared_encoding));
  std::string out;
  bool blank = false;
  for (const char c : utf8) {
    if (IsHtmlBlank(c)) {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    if (c == '\0') {
      AppendUtf8(kReplacementCharacter, &out);
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace zorvitan
