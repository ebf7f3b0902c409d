// Placeholder until the folder picker is written.
#include "ui/win32/browse.h"

namespace zorvitan {
std::string BrowseForFolderPath(HWND, const std::string&) { return ""; }
}  // namespace zorvitan
