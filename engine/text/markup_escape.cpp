#include "engine/text/markup_escape.h"

namespace zorvitan {
namespace {

// The bytes escaped anywhere, and their references.
constexpr std::string_view kEscapable("&<>\"'\0", 6);
constexpr const char* kReferences[] = {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;", "&#65533;"};

// The bytes each place escapes, in the order of EscapeFor.
constexpr std::string_view kEscapedIn[] = {"&<>", "&\"", "&<>\"", {"<>\0", 3}, "&<>'\""};
constexpr int kPlaces = sizeof kEscapedIn / sizeof kEscapedIn[0];

// Each place's reference for each byte (an index into kReferences), or -1:
// looked up per byte of every title and name.
struct ReferenceOf {
  signed char index[kPlaces][256] = {};
};

constexpr ReferenceOf MakeReferenceOf() {
  ReferenceOf table;
  for (int place = 0; place < kPlaces; ++place) {
    for (int byte = 0; byte < 256; ++byte) table.index[place][byte] = -1;
    for (const char c : kEscapedIn[place]) {
      table.index[place][static_cast<unsigned char>(c)] =
          static_cast<signed char>(kEscapable.find(c));
    }
  }
  return table;
}

constexpr ReferenceOf kReferenceOf = MakeReferenceOf();

}  // namespace

void AppendEscaped(std::string_view text, EscapeFor place, std::string* out) {
  const signed char* reference = kReferenceOf.index[static_cast<int>(place)];
  std::size_t plain_from = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int index = reference[static_cast<unsigned char>(text[i])];
    if (index < 0) continue;
    out->append(text, plain_from, i - plain_from);
    out->append(kReferences[index]);
    plain_from = i + 1;
  }
  out->append(text, plain_from, text.size() - plain_from);
}

}  // namespace zorvitan
