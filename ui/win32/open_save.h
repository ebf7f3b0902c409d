// The save-file picker behind the "..." button of the map file.
#pragma once

#include <windows.h>

#include <string>

namespace zorvitan {

// Shows the platform's save-file dialog modal to `owner` and returns the chosen
// path (ANSI), or "" when the dialog returned no name. `filter` ("text|pattern|...")
// is converted in place to the NUL-separated form the dialog takes. All texts
// are in the ANSI code page.
std::string ShowSaveDialog(HWND owner, std::string& filter, const std::string& title,
                           const std::string& initial_dir);

}  // namespace zorvitan
