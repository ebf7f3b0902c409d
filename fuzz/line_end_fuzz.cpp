// Differential fuzzing of the line-end rule: the one-pass normalizer, whole
// and fed in pieces, against a model that splits the file into lines first.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/page/page_text.h"
#include "fuzz/fuzz_check.h"

namespace {

// A line ends at CR LF or a lone CR; a lone LF is part of the line; a final
// line end adds no empty line. Every line is then followed by CR LF.
std::string ModelText(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string line;
  bool pending = false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') {
      lines.push_back(line);
      line.clear();
      pending = false;
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      line += bytes[i];
      pending = true;
    }
  }
  if (pending) lines.push_back(line);
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t piece = 1 + data[0] % 8;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string expected = ModelText(bytes);

  FUZZ_CHECK(zorvitan::NormalizeLineEnds(bytes) == expected);

  std::string streamed;
  zorvitan::LineEndNormalizer normalizer;
  for (std::size_t pos = 0; pos < bytes.size(); pos += piece) {
    normalizer.Feed(bytes.data() + pos, std::min(piece, bytes.size() - pos), &streamed);
  }
  normalizer.Finish(&streamed);
  FUZZ_CHECK(streamed == expected);
  return 0;
}
