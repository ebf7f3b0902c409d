// Differential fuzzing of the file-name patterns: the engine's linear matcher
// and the splitting of the patterns field against plain recursive models.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/pattern.h"
#include "fuzz/fuzz_check.h"

namespace {

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// The classic table: match[i][j] says whether the first i pattern characters
// match the first j name characters.
bool ModelMatch(const std::string& pattern, const std::string& name) {
  std::vector<std::vector<bool>> match(pattern.size() + 1,
                                       std::vector<bool>(name.size() + 1, false));
  match[0][0] = true;
  for (std::size_t i = 1; i <= pattern.size(); ++i) {
    for (std::size_t j = 0; j <= name.size(); ++j) {
      const char p = pattern[i - 1];
      if (p == '*') {
        match[i][j] = match[i - 1][j] || (j > 0 && match[i][j - 1]);
      } else if (j > 0) {
        match[i][j] = match[i - 1][j - 1] && (p == '?' || Fold(p) == Fold(name[j - 1]));
      }
    }
  }
  return match[pattern.size()][name.size()];
}

bool ModelMatches(const std::string& pattern, const std::string& name) {
  if (pattern == "*.*") return true;
  return ModelMatch(pattern, name);
}

std::vector<std::string> ModelSplit(const std::string& text) {
  std::vector<std::string> pieces;
  std::string piece;
  auto finish = [&] {
    const std::size_t b = piece.find_first_not_of(" \t");
    if (b != std::string::npos) {
      const std::size_t e = piece.find_last_not_of(" \t");
      pieces.push_back(piece.substr(b, e - b + 1));
    }
    piece.clear();
  };
  for (char c : text) {
    if (c == ';') {
      finish();
    } else {
      piece += c;
    }
  }
  finish();
  return pieces;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Input: patterns text, a NUL, a file name.
  if (size > 512) return 0;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t nul = input.find('\0');
  if (nul == std::string::npos) return 0;
  const std::string patterns_text = input.substr(0, nul);
  const std::string name = input.substr(nul + 1);

  const zorvitan::PatternSet set(patterns_text);
  const std::vector<std::string> pieces = ModelSplit(patterns_text);
  FUZZ_CHECK(set.Patterns() == pieces);

  bool any = false;
  for (const std::string& pattern : pieces) {
    const bool model = ModelMatches(pattern, name);
    FUZZ_CHECK(zorvitan::MatchPattern(pattern, name) == model);
    any = any || model;
  }
  FUZZ_CHECK(set.Matches(name) == any);
  return 0;
}
