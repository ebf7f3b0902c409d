// The folder picker behind the "..." button of the site folder.
#pragma once

#include <windows.h>

#include <string>

namespace zorvitan {

// Shows the platform's folder browser modal to `owner` and returns the chosen
// folder's file-system path (ANSI), or "" when the user cancels or the item has
// no file-system path. `title` is in the ANSI code page.
std::string BrowseForFolderPath(HWND owner, const std::string& title);

}  // namespace zorvitan
