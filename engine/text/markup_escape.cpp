#include "engine/text/markup_escape.h"

namespace zorvitan {
namespace {

// The bytes escaped anywhere, and their references.
constexpr std::string_view kEscapable("&<>\"'\0", 6);
constexpr const char* kReferences[] = {"&amp;", "&lt;", "&gt;", "&quot;", "&apos;", "&#65533;"};

// The bytes each place escapes, in the order of EscapeFor.
constexpr std::string_view kEscapedIn[] = {"&<>", "&\"", "&<>\"", {"<>\0", 3}, "&<>'\""};

}  // namespace

void AppendEscaped(std::string_view text, EscapeFor place, std::string* out) {
  const std::string_view escaped = kEscapedIn[static_cast<int>(place)];
  std::size_t plain_from = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (escaped.find(text[i]) == std::string_view::npos) continue;
    out->append(text, plain_from, i - plain_from);
    out->append(kReferences[kEscapable.find(text[i])]);
    plain_from = i + 1;
  }
  out->append(text, plain_from, text.size() - plain_from);
}

}  // namespace zorvitan
