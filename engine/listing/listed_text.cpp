#include "engine/listing/listed_text.h"

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
  return OneLineText(ValidUtf8(converter.ToUtf8(head.description, head.declared_encoding)));
}

}  // namespace zorvitan
