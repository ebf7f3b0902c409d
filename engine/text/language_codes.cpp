// Stand-in until the table of codes lands: the shape of a code, a short list
// of languages, and "UK", which ISO 3166-1 does not assign.
#include "engine/text/language_codes.h"

#include <string>

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
  std::string_view rest = lower;
  const std::string_view language = rest.substr(0, rest.find('-'));
  bool known = false;
  for (const char* name : kLanguages) known = known || language == name;
  if (!known) return false;
  rest.remove_prefix(language.size());
  auto next = [&rest]() {
    if (rest.empty()) return std::string_view();
    rest.remove_prefix(1);
    const std::string_view part = rest.substr(0, rest.find('-'));
    rest.remove_prefix(part.size());
    return part;
  };
  std::string_view part = next();
  if (part.size() == 4 && AllOf(part, IsLetter)) part = next();
  if (part.empty()) return rest.empty();
  const bool region = (part.size() == 2 && AllOf(part, IsLetter) && part != "uk") ||
                      (part.size() == 3 && AllOf(part, IsDigit));
  return region && rest.empty();
}

}  // namespace zorvitan
