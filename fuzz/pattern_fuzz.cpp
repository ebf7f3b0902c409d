// Differential fuzzing of the file-name patterns: the engine's linear matcher
// and the splitting of the patterns field against plain recursive models.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/walk/pattern.h"
#include "fuzz/fuzz_check.h"

namespace {

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// The Windows file system's wildcards, straight from their definitions and
// tried by recursion: "?" is one character, or none at a dot or the end;
// "*" before a dot is any run that leaves out the name's last dot; a dot
// before a wildcard or at the end is a dot or the end of the name.
struct Model {
  const std::string& p;
  const std::string& n;
  std::vector<signed char> memo;  // per (i, j): -1 not yet known

  bool From(std::size_t i, std::size_t j) {
    signed char& known = memo[i * (n.size() + 1) + j];
    if (known < 0) known = Decide(i, j);
    return known != 0;
  }
  bool Decide(std::size_t i, std::size_t j);
};

bool Model::Decide(std::size_t i, std::size_t j) {
  if (i == p.size()) return j == n.size();
  const char next = i + 1 < p.size() ? p[i + 1] : '\0';
  const bool at_end = j == n.size();
  switch (p[i]) {
    case '*': {
      const std::size_t last_dot = n.rfind('.');
      for (std::size_t k = j; k <= n.size(); ++k) {
        if (From(i + 1, k)) return true;
        if (k == n.size() || (next == '.' && k == last_dot)) break;
      }
      return false;
    }
    case '?':
      if (at_end || n[j] == '.') return From(i + 1, j);
      return From(i + 1, j + 1);
    case '.':
      if (next == '?' || next == '*' || next == '\0') {
        if (at_end) return From(i + 1, j);
        return n[j] == '.' && From(i + 1, j + 1);
      }
      [[fallthrough]];
    default:
      return !at_end && Fold(p[i]) == Fold(n[j]) && From(i + 1, j + 1);
  }
}

bool ModelMatches(const std::string& pattern, const std::string& name) {
  if (pattern == "*.*") return true;
  Model model{pattern, name,
              std::vector<signed char>((pattern.size() + 1) * (name.size() + 1), -1)};
  return model.From(0, 0);
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

  bool any = false;
  for (const std::string& pattern : pieces) {
    const bool model = ModelMatches(pattern, name);
    FUZZ_CHECK(zorvitan::PatternSet(pattern).Matches(name) == model);
    any = any || model;
  }
  FUZZ_CHECK(set.Matches(name) == any);
  return 0;
}
