// File-name patterns of the patterns field: "*.htm; *.html; *.php".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorvitan {

// The patterns the window and the command line start with.
inline constexpr const char* kDefaultPatterns = "*.htm; *.html; *.php";

class PatternSet {
 public:
  PatternSet() = default;
  // Splits the text at ";", drops blanks at both ends of each piece and
  // ignores empty pieces.
  explicit PatternSet(const std::string& text);

  // True when the name matches any one pattern, by the rules of the Windows
  // file system: "*" matches any run of characters (none too), "?" one
  // character; "*.*" matches every name, "*." names without a dot, and
  // "NAME.*" NAME itself too. ASCII letters match in any case.
  bool Matches(std::string_view name) const;

 private:
  std::vector<std::vector<int>> tokens_;  // each pattern with its wildcards marked
};

}  // namespace zorvitan
