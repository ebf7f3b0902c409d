#include "engine/formats/llms/markdown_text.h"

#include "engine/text/text_rules.h"
#include "engine/url/percent_encoding.h"

namespace zorvitan {
namespace {

constexpr std::string_view kAlwaysEscaped = "\\`*_[]<#~";

bool OpensReference(std::string_view text, std::size_t at) {
  return at + 1 < text.size() &&
         (IsAsciiLetter(text[at + 1]) || IsAsciiDigit(text[at + 1]) || text[at + 1] == '#');
}

}  // namespace

void AppendMarkdownText(std::string_view text, std::string* out) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (kAlwaysEscaped.find(c) != std::string_view::npos ||
        (c == '&' && OpensReference(text, at))) {
      *out += '\\';
    }
    *out += c;
  }
}

void AppendMarkdownBlockText(std::string_view text, std::string* out) {
  std::size_t digits = 0;
  while (digits < text.size() && IsAsciiDigit(text[digits])) ++digits;
  std::size_t marker = std::string_view::npos;  // the byte that would open a block
  if (digits > 0 && digits < text.size() && (text[digits] == '.' || text[digits] == ')')) {
    marker = digits;
  } else if (!text.empty() && std::string_view("-+>=").find(text[0]) != std::string_view::npos) {
    marker = 0;
  }
  if (marker == std::string_view::npos) return AppendMarkdownText(text, out);
  AppendMarkdownText(text.substr(0, marker), out);
  *out += '\\';
  AppendMarkdownText(text.substr(marker), out);
}

void AppendMarkdownUrl(std::string_view url, std::string* out) {
  for (const char c : url) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '(' || c == ')' || c == '&' || byte <= 0x20 || byte == 0x7F) {
      AppendPercentEncoded(byte, out);
    } else {
      *out += c;
    }
  }
}

}  // namespace zorvitan
