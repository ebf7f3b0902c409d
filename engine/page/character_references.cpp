#include "engine/page/character_references.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "engine/text/text_rules.h"
#include "engine/text/utf8.h"

namespace zorvitan {
namespace {

#include "engine/page/named_references.inc"

bool IsAlphanumeric(char c) { return IsAsciiLetter(c) || IsAsciiDigit(c); }

std::string_view NamedReference(std::size_t index) {
  const std::size_t start = kNamedReferenceStarts[index];
  return {kNamedReferenceNames + start, kNamedReferenceStarts[index + 1] - start};
}

// The first index in [low, high) where `before` no longer holds (it holds on
// a leading run only).
template <typename Predicate>
std::size_t PartitionPoint(std::size_t low, std::size_t high, Predicate before) {
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (before(middle)) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

struct NameMatch {
  std::size_t index = kNamedReferenceCount;  // none
  std::size_t length = 0;                    // of the text taken, ';' included
};

// The longest name of the table (with its ';', or a legacy one without) that
// `text` starts with. The sorted names are narrowed to those sharing the
// text's first k bytes, one byte at a time; the one exactly k long sorts first.
NameMatch LongestName(std::string_view text) {
  NameMatch match;
  std::size_t low = 0, high = kNamedReferenceCount;
  for (std::size_t k = 0; k < text.size() && IsAlphanumeric(text[k]); ++k) {
    const char c = text[k];
    low = PartitionPoint(low, high, [&](std::size_t i) {
      const std::string_view name = NamedReference(i);
      return name.size() <= k || name[k] < c;
    });
    high = PartitionPoint(low, high, [&](std::size_t i) { return NamedReference(i)[k] == c; });
    if (low == high) break;
    if (NamedReference(low).size() != k + 1) continue;
    // No name holds a ';' but at its end: a match with it is the longest.
    if (k + 1 < text.size() && text[k + 1] == ';') return {low, k + 2};
    if (kNamedReferenceValues[low] & kLegacyNameBit) match = {low, k + 1};
  }
  return match;
}

std::size_t DecodeNamed(std::string_view text, std::size_t at, bool in_attribute,
                        std::string* out) {
  const std::string_view rest = text.substr(at + 1);
  const NameMatch match = LongestName(rest);
  if (match.length == 0) return 0;
  if (in_attribute && rest[match.length - 1] != ';' && match.length < rest.size() &&
      (rest[match.length] == '=' || IsAlphanumeric(rest[match.length]))) {
    return 0;  // left as written: URLs' query strings ("?a=1&copy=2") are not references
  }
  const std::uint32_t value = kNamedReferenceValues[match.index];
  AppendUtf8(value & ((1u << kSecondCodePointShift) - 1), out);
  const char32_t second = kSecondCodePoints[(value & ~kLegacyNameBit) >> kSecondCodePointShift];
  if (second != 0) AppendUtf8(second, out);
  return 1 + match.length;
}

// What the numeric reference to `number` stands for.
char32_t NumericReferenceCharacter(std::uint32_t number) {
  // The C1 controls read as windows-1252 would have them; its five holes stay.
  static constexpr char16_t kWindows1252[32] = {
      0x20AC, 0x81,   0x201A, 0x192,  0x201E, 0x2026, 0x2020, 0x2021, 0x2C6,  0x2030, 0x160,
      0x2039, 0x152,  0x8D,   0x17D,  0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x2DC,  0x2122, 0x161,  0x203A, 0x153,  0x9D,   0x17E,  0x178};
  if (number == 0 || number > 0x10FFFF || (number >= 0xD800 && number <= 0xDFFF)) {
    return kReplacementCharacter;
  }
  if (number >= 0x80 && number <= 0x9F) return kWindows1252[number - 0x80];
  return number;
}

std::size_t DecodeNumeric(std::string_view text, std::size_t at, std::string* out) {
  std::size_t i = at + 2;  // behind "&#"
  const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
  if (hex) ++i;
  const std::size_t digits = i;
  // Held at most one past the last code point, so any number of digits fits.
  constexpr std::uint32_t kTooLarge = 0x110000;
  std::uint32_t number = 0;
  for (; i < text.size(); ++i) {
    const int digit = hex ? HexDigitValue(text[i]) : (IsAsciiDigit(text[i]) ? text[i] - '0' : -1);
    if (digit < 0) break;
    number = std::min(number * (hex ? 16 : 10) + digit, kTooLarge);
  }
  if (i == digits) return 0;
  if (i < text.size() && text[i] == ';') ++i;
  AppendUtf8(NumericReferenceCharacter(number), out);
  return i - at;
}

}  // namespace

std::size_t DecodeCharacterReference(std::string_view text, std::size_t at, bool in_attribute,
                                     std::string* out) {
  if (at + 1 >= text.size()) return 0;
  if (text[at + 1] == '#') return DecodeNumeric(text, at, out);
  if (IsAlphanumeric(text[at + 1])) return DecodeNamed(text, at, in_attribute, out);
  return 0;
}

std::string DecodeCharacterReferences(std::string_view text, bool in_attribute) {
  std::string out;
  out.reserve(text.size());
  std::size_t copied = 0;  // the text before this is in `out`
  for (std::size_t at = 0; at < text.size();) {
    const void* found = std::memchr(text.data() + at, '&', text.size() - at);
    if (found == nullptr) break;
    at = static_cast<const char*>(found) - text.data();
    out.append(text.data() + copied, at - copied);
    const std::size_t taken = DecodeCharacterReference(text, at, in_attribute, &out);
    // Not a reference: the '&' is copied with what follows it.
    copied = at + taken;
    at += taken == 0 ? 1 : taken;
  }
  out.append(text.data() + copied, text.size() - copied);
  return out;
}

}  // namespace zorvitan
