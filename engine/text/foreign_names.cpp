#include "engine/text/foreign_names.h"

#include "engine/platform/system_text.h"

namespace zorvitan {

std::string PathForMessage(const std::string& path, const SystemText& system_text) {
  if (!system_text.MarksForeignNames()) return path;
  std::string shown;
  ForEachMarkedName(
      path, true, [&shown](std::string_view plain) { shown += plain; },
      [&shown, &system_text](std::string_view utf8) {
        shown += system_text.ProgramText(std::string(utf8));
      });
  return shown;
}

}  // namespace zorvitan
