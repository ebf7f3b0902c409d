#include "engine/pattern.h"

#include "engine/text_rules.h"

namespace zorvitan {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(const std::string& text, std::size_t begin, std::size_t end) {
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

}  // namespace

PatternSet::PatternSet(const std::string& text) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    std::string piece = Trimmed(text, start, end);
    if (!piece.empty()) patterns_.push_back(std::move(piece));
    start = end + 1;
  }
}

bool PatternSet::Matches(const std::string& name) const {
  for (const std::string& pattern : patterns_) {
    if (MatchPattern(pattern, name)) return true;
  }
  return false;
}

bool MatchPattern(const std::string& pattern, const std::string& name) {
  // "*.*" means every file, also one without a dot, as in the Windows file list.
  if (pattern == "*.*") return true;
  // Greedy matching with one backtrack point: linear for patterns like "*.htm".
  std::size_t p = 0, n = 0;
  std::size_t star = std::string::npos, star_n = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      star_n = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || ToLowerAscii(pattern[p]) == ToLowerAscii(name[n]))) {
      ++p;
      ++n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++star_n;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace zorvitan
