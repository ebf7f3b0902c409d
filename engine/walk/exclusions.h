// Paths the user leaves out of a run (--exclude): globs over a path relative
// to the site folder, "/"-separated. "*" and "?" stay within one name, "**"
// crosses folders ("**/" also matches no folder at all). Letters compare as
// the platform compares names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorvitan {

class FileSystem;
class SystemText;

class Exclusions {
 public:
  Exclusions(const std::vector<std::string>& globs, const FileSystem& file_system,
             const SystemText& system_text);

  bool Empty() const { return globs_.empty(); }

  // Whether the page at `relative` (the platform's separators) is left out.
  bool ExcludesPage(const std::string& relative) const;
  // Whether the folder at `relative` (no trailing separator) is left out with
  // everything below it: a glob matches the folder itself, or, as in
  // "drafts/**", whatever lies in it.
  bool ExcludesFolder(const std::string& relative) const;

 private:
  // The path as the globs see it: "/" separators, letters folded where the
  // platform folds them, marked names by their own letters.
  std::string Comparable(const std::string& relative) const;
  bool Matches(std::string_view path) const;

  const FileSystem& file_system_;
  const SystemText& system_text_;
  std::vector<std::string> globs_;  // comparable form, without a leading "/"
};

// Whether `glob` matches the whole of `path`, by the rules above.
bool MatchGlob(std::string_view glob, std::string_view path);

}  // namespace zorvitan
