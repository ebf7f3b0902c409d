#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "cli/paths.h"

namespace zorvitan::cli {
namespace {

std::string CurrentFolder() {
  char* cwd = getcwd(nullptr, 0);
  if (!cwd) return std::string();
  std::string result = cwd;
  free(cwd);
  return result;
}

}  // namespace

std::string MakeAbsolute(const std::string& path) {
  if (path.empty()) return path;
  const std::string joined = path[0] == '/' ? path : CurrentFolder() + "/" + path;

  // Collapse "", "." and ".." segments; ".." at the root stays at the root.
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (start <= joined.size()) {
    std::size_t end = joined.find('/', start);
    if (end == std::string::npos) end = joined.size();
    const std::string segment = joined.substr(start, end - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    start = end + 1;
  }

  std::string result;
  for (const std::string& segment : segments) result += "/" + segment;
  // "map/", "map/." and "map/.." name folders: they must not turn into a path
  // that could be created as a file.
  const std::string last = joined.substr(joined.rfind('/') + 1);
  const bool names_folder = last.empty() || last == "." || last == "..";
  if (result.empty() || names_folder) result += "/";
  return result;
}

bool PathExists(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

void RemoveIfEmptyFile(const std::string& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0) {
    unlink(path.c_str());
  }
}

}  // namespace zorvitan::cli
