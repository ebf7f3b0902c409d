// Placeholder until the save-file picker is written.
#include "ui/win32/open_save.h"

namespace zorvitan {
std::string ShowSaveDialog(HWND, std::string&, const std::string&, const std::string&) {
  return "";
}
}  // namespace zorvitan
