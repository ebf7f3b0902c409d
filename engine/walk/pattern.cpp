#include "engine/walk/pattern.h"

#include <algorithm>

#include "engine/text/text_rules.h"

namespace zorvitan {

namespace {

// The wildcards of the Windows file system, as its enumeration rewrites a
// pattern: "?" matches one character, but none at a dot or at the end of the
// name; "*" before a dot may not swallow the name's last dot; a dot before a
// wildcard or at the end also matches the end of the name. So "*." lists
// names without a dot and "README.*" lists README itself. Plain characters
// are tokens 0-255.
constexpr int kPlainTokens = 256;  // tokens below are plain characters
enum Token : int {
  kAnyRun = kPlainTokens,  // "*": any run of characters
  kRunToLastDot,           // "*" before a dot: any run without the name's last dot
  kOneOrNone,              // "?"
  kDotOrEnd,               // "." before a wildcard or at the end
};
using Tokens = std::vector<int>;

Tokens Tokenize(const std::string& pattern) {
  // "*.*" means every file, also one without a dot.
  if (pattern == "*.*") return {kAnyRun};
  Tokens tokens;
  tokens.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    int token = static_cast<unsigned char>(ToLowerAscii(pattern[i]));
    if (pattern[i] == '?') {
      token = kOneOrNone;
    } else if (pattern[i] == '*') {
      token = next == '.' ? kRunToLastDot : kAnyRun;
    } else if (pattern[i] == '.' && (next == '?' || next == '*' || next == '\0')) {
      token = kDotOrEnd;
    }
    tokens.push_back(token);
  }
  // "*" before the last dot of a plain ".ext" cannot reach past that dot
  // anyway: the usual "*.htm" is a plain "*" pattern.
  if (!tokens.empty() && tokens[0] == kRunToLastDot &&
      std::count(tokens.begin(), tokens.end(), '.') == 1 &&
      std::all_of(tokens.begin() + 1, tokens.end(), [](int t) { return t < kPlainTokens; })) {
    tokens[0] = kAnyRun;
  }
  return tokens;
}

int NameToken(char c) { return static_cast<unsigned char>(ToLowerAscii(c)); }

// Greedy matching with one backtrack point, for tokens of "*" and plain
// characters only: linear in the name.
bool MatchStarsOnly(const Tokens& tokens, std::string_view name) {
  std::size_t p = 0, n = 0;
  std::size_t star = std::string::npos, star_n = 0;
  while (n < name.size()) {
    if (p < tokens.size() && tokens[p] == kAnyRun) {
      star = p++;
      star_n = n;
    } else if (p < tokens.size() && tokens[p] == NameToken(name[n])) {
      ++p;
      ++n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++star_n;
    } else {
      return false;
    }
  }
  while (p < tokens.size() && tokens[p] == kAnyRun) ++p;
  return p == tokens.size();
}

// Any tokens: the set of pattern positions reached, name character by name
// character.
bool MatchAnyTokens(const Tokens& tokens, std::string_view name) {
  const std::size_t last_dot = name.rfind('.');
  std::vector<char> states(tokens.size() + 1, 0), next(tokens.size() + 1, 0);
  states[0] = 1;
  for (std::size_t n = 0;; ++n) {
    const bool at_end = n == name.size();
    // Tokens that can match no character here.
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      const int t = tokens[i];
      if (states[i] && (t == kAnyRun || t == kRunToLastDot || (t == kDotOrEnd && at_end) ||
                        (t == kOneOrNone && (at_end || name[n] == '.')))) {
        states[i + 1] = 1;
      }
    }
    if (at_end) return states[tokens.size()] != 0;
    const char c = name[n];
    std::fill(next.begin(), next.end(), 0);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      if (!states[i]) continue;
      switch (tokens[i]) {
        case kAnyRun:
          next[i] = 1;
          break;
        case kRunToLastDot:
          next[i] = next[i] || n != last_dot;
          break;
        case kOneOrNone:
          next[i + 1] = next[i + 1] || c != '.';
          break;
        case kDotOrEnd:
          next[i + 1] = next[i + 1] || c == '.';
          break;
        default:
          next[i + 1] = next[i + 1] || tokens[i] == NameToken(c);
      }
    }
    states.swap(next);
  }
}

bool MatchTokens(const Tokens& tokens, std::string_view name) {
  const bool stars_only = std::all_of(tokens.begin(), tokens.end(),
                                      [](int t) { return t < kPlainTokens || t == kAnyRun; });
  return stars_only ? MatchStarsOnly(tokens, name) : MatchAnyTokens(tokens, name);
}

}  // namespace

PatternSet::PatternSet(const std::string& text) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    const std::string piece = Trim(std::string_view(text).substr(start, end - start), " \t");
    if (!piece.empty()) tokens_.push_back(Tokenize(piece));
    start = end + 1;
  }
}

bool PatternSet::Matches(std::string_view name) const {
  for (const auto& tokens : tokens_) {
    if (MatchTokens(tokens, name)) return true;
  }
  return false;
}

}  // namespace zorvitan
