// Stand-in until the table of codes lands: the shape of a code, a short list
// of languages, and "UK", which ISO 3166-1 does not assign.
#include "engine/text/language_codes.h"

#include <string>
#include <vector>

#include "engine/text/text_rules.h"

namespace zorvitan {
namespace {

bool AllOf(std::string_view text, bool (*is)(char)) {
  for (const char c : text) {
    if (!is(c)) return false;
  }
  return !text.empty();
}

bool IsLetter(char c) { return IsAsciiLetter(c); }
bool IsDigit(char c) { return IsAsciiDigit(c); }

}  // namespace

bool IsHreflangCode(std::string_view code) {
  const std::string lower = LowerAscii(code);
  if (lower == "x-default") return true;
  static const char* const kLanguages[] = {"pl", "en", "de", "fr", "es", "it", "cs", "sk",
                                           "uk", "ru", "ja", "zh", "pt", "nl", "sv", "fi"};
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t dash = lower.find('-', start);
    parts.push_back(std::string_view(lower).substr(start, dash - start));
    if (dash == std::string::npos) break;
    start = dash + 1;
  }
  bool known = false;
  for (const char* name : kLanguages) known = known || parts[0] == name;
  std::size_t next = 1;
  if (next < parts.size() && parts[next].size() == 4 && AllOf(parts[next], IsLetter)) ++next;
  if (next < parts.size()) {
    const std::string_view region = parts[next];
    const bool is_region = (region.size() == 2 && AllOf(region, IsLetter) && region != "uk") ||
                           (region.size() == 3 && AllOf(region, IsDigit));
    if (!is_region) return false;
    ++next;
  }
  return known && next == parts.size();
}

}  // namespace zorvitan
