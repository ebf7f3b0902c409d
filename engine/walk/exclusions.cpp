#include "engine/walk/exclusions.h"

#include <vector>

#include "engine/platform/file_system.h"
#include "engine/platform/system_text.h"
#include "engine/text/foreign_names.h"
#include "engine/text/text_rules.h"

namespace zorvitan {
namespace {

// Glob tokens: plain bytes are 0-255.
enum GlobToken : int {
  kOneInName = 256,  // "?": one character, not "/"
  kRunInName,        // "*": any run without "/"
  kAnyRun,           // "**": any run
  kAnyFolders,       // "**/": nothing, or any run that ends in "/"
};

std::vector<int> Tokenize(std::string_view glob) {
  std::vector<int> tokens;
  for (std::size_t i = 0; i < glob.size(); ++i) {
    if (glob[i] == '?') {
      tokens.push_back(kOneInName);
    } else if (glob[i] != '*') {
      tokens.push_back(static_cast<unsigned char>(glob[i]));
    } else if (i + 1 < glob.size() && glob[i + 1] == '*') {
      while (i + 1 < glob.size() && glob[i + 1] == '*') ++i;
      if (i + 1 < glob.size() && glob[i + 1] == '/') {
        ++i;
        tokens.push_back(kAnyFolders);
      } else {
        tokens.push_back(kAnyRun);
      }
    } else {
      tokens.push_back(kRunInName);
    }
  }
  return tokens;
}

}  // namespace

// The set of glob positions reached, character by character: linear in the
// path for each token, whatever the stars. A position is entered (a token
// before it matched) or, for "**/", inside a run it has begun; only an
// entered "**/" may match nothing.
bool MatchGlob(std::string_view glob, std::string_view path) {
  constexpr char kEntered = 1, kInside = 2;
  const std::vector<int> tokens = Tokenize(glob);
  const std::size_t n = tokens.size();
  std::vector<char> states(n + 1, 0), next(n + 1, 0);
  auto close = [&](std::vector<char>& set) {  // tokens that may match nothing
    for (std::size_t i = 0; i < n; ++i) {
      const int t = tokens[i];
      if ((set[i] & kEntered) && (t == kRunInName || t == kAnyRun || t == kAnyFolders)) {
        set[i + 1] |= kEntered;
      }
    }
  };
  states[0] = kEntered;
  close(states);
  for (const char c : path) {
    std::fill(next.begin(), next.end(), 0);
    for (std::size_t i = 0; i < n; ++i) {
      if (!states[i]) continue;
      switch (tokens[i]) {
        case kOneInName:
          if (c != '/') next[i + 1] |= kEntered;
          break;
        case kRunInName:
          if (c != '/') next[i] |= kEntered;
          break;
        case kAnyRun:
          next[i] |= kEntered;
          break;
        case kAnyFolders:
          next[i] |= kInside;
          if (c == '/') next[i + 1] |= kEntered;
          break;
        default:
          if (tokens[i] == static_cast<unsigned char>(c)) next[i + 1] |= kEntered;
      }
    }
    close(next);
    states.swap(next);
  }
  return (states[n] & kEntered) != 0;
}

Exclusions::Exclusions(const std::vector<std::string>& globs, const FileSystem& file_system,
                       const SystemText& system_text)
    : file_system_(file_system), system_text_(system_text) {
  for (const std::string& glob : globs) {
    std::string comparable = Comparable(glob);
    const std::size_t start = comparable.find_first_not_of('/');  // the site is the root
    if (start != std::string::npos) globs_.push_back(comparable.substr(start));
  }
}

std::string Exclusions::Comparable(const std::string& relative) const {
  const std::string path =
      WithForwardSlashes(file_system_.FoldCase(relative), file_system_.Separator());
  if (!system_text_.MarksForeignNames()) return path;
  std::string unmarked;
  unmarked.reserve(path.size());
  auto append = [&unmarked](std::string_view part) { unmarked += part; };
  ForEachMarkedName(path, true, append, append);
  return unmarked;
}

bool Exclusions::Matches(std::string_view path) const {
  for (const std::string& glob : globs_) {
    if (MatchGlob(glob, path)) return true;
  }
  return false;
}

bool Exclusions::ExcludesPage(const std::string& relative) const {
  return !globs_.empty() && Matches(Comparable(relative));
}

bool Exclusions::ExcludesFolder(const std::string& relative) const {
  if (globs_.empty()) return false;
  const std::string folder = Comparable(relative);
  return Matches(folder) || Matches(folder + "/");
}

}  // namespace zorvitan
