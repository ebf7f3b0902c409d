// What the main window asks of the shell and the system dialogs. The real actions are
// the default; tests put recorders in their place.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace zorvitan {

struct ShellActions {
  // Opens a web address in the user's browser; the result is not reported.
  std::function<void(HWND owner, const std::string& address)> open_web_page;
  // The folder picker and the save-file picker; all texts in the ANSI code page.
  std::function<std::string(HWND owner, const std::string& title)> browse_for_folder;
  std::function<std::string(HWND owner, std::string& filter, const std::string& title,
                            const std::string& initial_dir)>
      show_save_dialog;
  // A modal message box; returns when it is closed.
  std::function<void(HWND owner, const std::string& text, const std::string& title, UINT style)>
      message_box;
};

// ShellExecuteA, the two pickers and MessageBoxA.
ShellActions RealShellActions();

}  // namespace zorvitan
