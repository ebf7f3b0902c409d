#include "engine/foreign_names.h"

#include "engine/platform.h"

namespace zorvitan {

std::string PathForMessage(const std::string& path, const Platform& platform) {
  if (!platform.MarksForeignNames()) return path;
  std::string shown;
  std::size_t start = 0;
  for (std::size_t mark = path.find(kForeignNameMark); mark != std::string::npos;
       mark = path.find(kForeignNameMark, mark + 1)) {
    if (mark > 0 && !IsPathSeparator(path[mark - 1])) continue;  // not at a name's start
    std::size_t end = mark + 1;
    while (end < path.size() && !IsPathSeparator(path[end])) ++end;
    shown.append(path, start, mark - start);
    shown += platform.ProgramText(path.substr(mark + 1, end - mark - 1));
    start = end;
  }
  shown.append(path, start, std::string::npos);
  return shown;
}

}  // namespace zorvitan
