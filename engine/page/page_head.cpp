#include "engine/page/page_head.h"

#include "engine/page/character_references.h"
#include "engine/text/text_rules.h"
#include "engine/text/utf8.h"

namespace zorvitan {

std::string TitleText(std::string_view utf8) {
  if (utf8.find('&') == std::string_view::npos) return OneLineText(utf8);
  return OneLineText(DecodeCharacterReferences(utf8, false));
}

std::string OneLineText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
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
