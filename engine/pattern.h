// File-name patterns of the patterns field: "*.htm; *.html; *.php".
#pragma once

#include <string>
#include <vector>

namespace zorvitan {

class PatternSet {
 public:
  PatternSet() = default;
  // Splits the text at ";", drops blanks at both ends of each piece and
  // ignores empty pieces.
  explicit PatternSet(const std::string& text);

  // True when the name matches any one pattern. "*" matches any run of
  // characters (none too), "?" exactly one; ASCII letters match in any case.
  bool Matches(const std::string& name) const;

  const std::vector<std::string>& Patterns() const { return patterns_; }

 private:
  std::vector<std::string> patterns_;
};

// Matches one pattern against one name, by the rules above.
bool MatchPattern(const std::string& pattern, const std::string& name);

}  // namespace zorvitan
