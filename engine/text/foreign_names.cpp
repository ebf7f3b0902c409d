#include "engine/text/foreign_names.h"

#include "engine/platform/platform.h"

namespace zorvitan {

std::string PathForMessage(const std::string& path, const Platform& platform) {
  if (!platform.MarksForeignNames()) return path;
  std::string shown;
  ForEachMarkedName(
      path, true, [&shown](std::string_view plain) { shown += plain; },
      [&shown, &platform](std::string_view utf8) {
        shown += platform.ProgramText(std::string(utf8));
      });
  return shown;
}

}  // namespace zorvitan
