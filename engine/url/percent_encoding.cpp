#include "engine/url/percent_encoding.h"

#include "engine/text/text_rules.h"

namespace zorvitan {
namespace {

constexpr bool Among(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }

constexpr bool KeptBy(UrlBytes kept, unsigned char byte) {
  const char c = static_cast<char>(byte);
  const bool unreserved = IsAsciiLetter(c) || IsAsciiDigit(c) || Among(c, "-._~");
  switch (kept) {
    case UrlBytes::kPath:
      return unreserved || c == '/';
    case UrlBytes::kComparable:
      return unreserved || Among(c, "!$&'()*+,;=:@/?#");
    case UrlBytes::kWhole:
      return unreserved || Among(c, "!$&'()*+,;=:@/?#[]%");
    case UrlBytes::kMapHref:
      return byte >= 0x20 && byte != 0x7F && !Among(c, "%#?\"");
  }
  return false;
}

// Every byte of every name and path goes through here: the rules above are
// looked up, not worked out again per byte.
constexpr int kUrlKinds = static_cast<int>(UrlBytes::kMapHref) + 1;
struct KeptBytes {
  bool kept[kUrlKinds][256] = {};
};

constexpr KeptBytes MakeKeptBytes() {
  KeptBytes table;
  for (int kind = 0; kind < kUrlKinds; ++kind) {
    for (int byte = 0; byte < 256; ++byte) {
      table.kept[kind][byte] =
          KeptBy(static_cast<UrlBytes>(kind), static_cast<unsigned char>(byte));
    }
  }
  return table;
}

constexpr KeptBytes kKeptBytes = MakeKeptBytes();

bool Keeps(UrlBytes kept, unsigned char byte) {
  return kKeptBytes.kept[static_cast<int>(kept)][byte];
}

// The octet of a "%XX" at `at`, or -1 when none stands there.
int EscapedOctet(std::string_view text, std::size_t at) {
  if (text[at] != '%' || at + 2 >= text.size()) return -1;
  const int high = HexDigitValue(text[at + 1]);
  const int low = HexDigitValue(text[at + 2]);
  return high < 0 || low < 0 ? -1 : high * 16 + low;
}

}  // namespace

bool KeepsAll(std::string_view bytes, UrlBytes kept) {
  const bool* table = kKeptBytes.kept[static_cast<int>(kept)];
  for (const char c : bytes) {
    if (!table[static_cast<unsigned char>(c)]) return false;
  }
  return true;
}

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

void AppendComparableUrlText(std::string_view text, std::string* out) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int octet = EscapedOctet(text, i);
    const auto byte = static_cast<unsigned char>(octet < 0 ? text[i] : octet);
    if (octet >= 0) i += 2;
    if (Keeps(UrlBytes::kComparable, byte)) {
      *out += static_cast<char>(byte);
    } else {
      AppendPercentEncoded(byte, out);
    }
  }
}

std::string ComparableUrlText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendComparableUrlText(text, &out);
  return out;
}

}  // namespace zorvitan
