#include "engine/text/markup_escape.h"

namespace zorvitan {
namespace {

constexpr unsigned Bit(EscapeFor place) { return 1u << static_cast<unsigned>(place); }

constexpr unsigned kHtmlText = Bit(EscapeFor::kHtmlText);
constexpr unsigned kAttribute = Bit(EscapeFor::kHtmlAttribute);
constexpr unsigned kEither = Bit(EscapeFor::kHtmlTextOrAttribute);
constexpr unsigned kSource = Bit(EscapeFor::kHtmlSourceText);
constexpr unsigned kXml = Bit(EscapeFor::kXml);

struct Reference {
  char byte;
  const char* text;
  unsigned places;  // the bits of the places that escape it
};

constexpr Reference kReferences[] = {
    {'&', "&amp;", kHtmlText | kAttribute | kEither | kXml},
    {'<', "&lt;", kHtmlText | kEither | kSource | kXml},
    {'>', "&gt;", kHtmlText | kEither | kSource | kXml},
    {'"', "&quot;", kAttribute | kEither | kXml},
    {'\'', "&apos;", kXml},
    {'\0', "&#65533;", kSource},
};

// Every byte escaped anywhere is below '?', so most bytes are passed at once.
const char* ReferenceFor(char byte, unsigned place) {
  if (static_cast<unsigned char>(byte) > '>') return nullptr;
  for (const Reference& reference : kReferences) {
    if (reference.byte == byte && (reference.places & place) != 0) return reference.text;
  }
  return nullptr;
}

}  // namespace

void AppendEscaped(std::string_view text, EscapeFor place, std::string* out) {
  const unsigned bit = Bit(place);
  std::size_t plain_from = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char* reference = ReferenceFor(text[i], bit);
    if (reference == nullptr) continue;
    out->append(text, plain_from, i - plain_from);
    out->append(reference);
    plain_from = i + 1;
  }
  out->append(text, plain_from, text.size() - plain_from);
}

}  // namespace zorvitan
