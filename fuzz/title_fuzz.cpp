// Differential fuzzing of the title search: the engine's search over the
// whole page text, and its scanner over raw bytes in pieces, against a plain
// model of the rule.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/page_text.h"
#include "fuzz/fuzz_check.h"

namespace {

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return text;
}

// The rule, as plainly as it can be said.
std::string ModelTitle(const std::string& text) {
  const std::string lower = LowerAscii(text);
  const std::size_t open = lower.find("<title>");
  if (open == std::string::npos) return "";
  const std::size_t close = lower.find("</title>", open + 7);
  if (close == std::string::npos) return "";
  return text.substr(open + 7, close - open - 7);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t piece = 1 + data[0] % 16;
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

  const std::string expected = ModelTitle(text);
  FUZZ_CHECK(zorvitan::FindTitle(text) == expected);

  zorvitan::TitleScanner scanner;
  for (std::size_t pos = 0; pos < text.size() && !scanner.Settled(); pos += piece) {
    scanner.Feed(text.data() + pos, std::min(piece, text.size() - pos));
  }
  // The scanner reads raw bytes; its title follows the line-end rule.
  FUZZ_CHECK(scanner.Title() == ModelTitle(zorvitan::NormalizeLineEnds(text)));
  return 0;
}
