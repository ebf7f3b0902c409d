#include "engine/text/language_codes.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "engine/text/text_rules.h"

namespace zorvitan {
namespace {

#include "engine/text/language_codes.inc"

// Whether the code, lower case, is one of a table's codes of its length: a binary search
// over the codes laid end to end, sorted.
template <std::size_t kSize>
bool InTable(const char (&table)[kSize], std::string_view code) {
  const std::size_t width = code.size();
  std::size_t low = 0;
  std::size_t high = (kSize - 1) / width;
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    const int order = std::memcmp(table + middle * width, code.data(), width);
    if (order == 0) return true;
    if (order < 0) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return false;
}

// The part of `code` from `*at` to the next "-" or the end, copied into `out` in lower case;
// "" when it is longer than any code. Moves `*at` past the part and its "-".
std::string_view NextPart(std::string_view code, std::size_t* at, char (&out)[4]) {
  const std::size_t end = std::min(code.find('-', *at), code.size());
  const std::size_t start = *at;
  *at = end + 1;
  if (end - start > sizeof out) return {};
  std::transform(code.begin() + start, code.begin() + end, out, ToLowerAscii);
  return {out, end - start};
}

// The tables hold lower-case letters (or digits, the areas) only, so finding a part in one
// also checks its characters.
bool IsLanguage(std::string_view part) {
  if (part.size() == 2) return InTable(kTwoLetterLanguages, part);
  return part.size() == 3 && InTable(kThreeLetterLanguages, part);
}

bool IsScript(std::string_view part) { return part.size() == 4 && InTable(kScripts, part); }

bool IsRegion(std::string_view part) {
  if (part.size() == 2) return InTable(kTwoLetterRegions, part);
  return part.size() == 3 && InTable(kAreaRegions, part);
}

}  // namespace

bool IsHreflangCode(std::string_view code) {
  if (EqualsNoCase(code, "x-default")) return true;
  char buffer[4];
  std::size_t at = 0;
  if (!IsLanguage(NextPart(code, &at, buffer))) return false;
  if (at > code.size()) return true;
  std::string_view part = NextPart(code, &at, buffer);
  if (IsScript(part)) {
    if (at > code.size()) return true;
    part = NextPart(code, &at, buffer);
  }
  return IsRegion(part) && at > code.size();
}

}  // namespace zorvitan
