#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "cli/paths.h"

namespace zorvitan::cli {
namespace {

// getcwd fails once the current folder has been removed.
bool CurrentFolder(std::string* folder) {
  char* cwd = getcwd(nullptr, 0);
  if (!cwd) return false;
  *folder = cwd;
  free(cwd);
  return true;
}

}  // namespace

bool MakeAbsolute(const std::string& path, std::string* absolute) {
  if (path.empty()) {
    absolute->clear();
    return true;
  }
  std::string joined = path;
  if (path[0] != '/') {
    std::string current;
    if (!CurrentFolder(&current)) return false;
    joined = current + "/" + path;
  }

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
  *absolute = std::move(result);
  return true;
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
