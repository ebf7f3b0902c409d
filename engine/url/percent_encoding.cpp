#include "engine/url/percent_encoding.h"

#include <array>

#include "engine/text/text_rules.h"

namespace zorvitan {
namespace {

constexpr unsigned char Bit(UrlBytes kept) {
  return static_cast<unsigned char>(1u << static_cast<unsigned>(kept));
}

// For each byte, the bits of the UrlBytes that keep it.
constexpr std::array<unsigned char, 256> KeptBytes() {
  std::array<unsigned char, 256> kept{};
  auto add = [&kept](std::string_view bytes, unsigned char bits) {
    for (const char c : bytes) kept[static_cast<unsigned char>(c)] |= bits;
  };
  const unsigned char map_href = Bit(UrlBytes::kMapHref);
  const unsigned char all =
      Bit(UrlBytes::kPath) | Bit(UrlBytes::kComparable) | Bit(UrlBytes::kWhole) | map_href;
  for (int c = 0; c < 256; ++c) {
    const char byte = static_cast<char>(c);
    if (IsAsciiLetter(byte) || IsAsciiDigit(byte)) kept[c] = all;
    if (c >= 0x20 && c != 0x7F) kept[c] |= map_href;
  }
  add("-._~", all);
  add("/", Bit(UrlBytes::kPath));
  add("!$&'()*+,;=:@/?#", Bit(UrlBytes::kComparable) | Bit(UrlBytes::kWhole));
  add("[]%", Bit(UrlBytes::kWhole));
  for (const char c : std::string_view("%#?\"")) {
    kept[static_cast<unsigned char>(c)] &= static_cast<unsigned char>(~map_href);
  }
  return kept;
}
constexpr std::array<unsigned char, 256> kKeptBytes = KeptBytes();

bool Keeps(UrlBytes kept, unsigned char byte) { return (kKeptBytes[byte] & Bit(kept)) != 0; }

// The octet of a "%XX" at `at`, or -1 when none stands there.
int EscapedOctet(std::string_view text, std::size_t at) {
  if (text[at] != '%' || at + 2 >= text.size()) return -1;
  const int high = HexDigitValue(text[at + 1]);
  const int low = HexDigitValue(text[at + 2]);
  return high < 0 || low < 0 ? -1 : high * 16 + low;
}

}  // namespace

void AppendPercentEncoded(unsigned char byte, std::string* out) {
  static const char kHex[] = "0123456789ABCDEF";
  const char escaped[3] = {'%', kHex[byte >> 4], kHex[byte & 0xF]};
  out->append(escaped, 3);
}

void AppendPercentEncoded(std::string_view bytes, UrlBytes kept, std::string* out) {
  std::size_t plain_from = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (Keeps(kept, byte)) continue;
    out->append(bytes, plain_from, i - plain_from);
    AppendPercentEncoded(byte, out);
    plain_from = i + 1;
  }
  out->append(bytes, plain_from, bytes.size() - plain_from);
}

std::string ComparableUrlText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int octet = EscapedOctet(text, i);
    const auto byte = static_cast<unsigned char>(octet < 0 ? text[i] : octet);
    if (octet >= 0) i += 2;
    if (Keeps(UrlBytes::kComparable, byte)) {
      out += static_cast<char>(byte);
    } else {
      AppendPercentEncoded(byte, &out);
    }
  }
  return out;
}

}  // namespace zorvitan
