#include "ui/win32/shell_actions.h"

#include <shellapi.h>

#include "ui/win32/browse.h"
#include "ui/win32/open_save.h"

namespace zorvitan {

ShellActions RealShellActions() {
  ShellActions actions;
  actions.open_web_page = [](HWND owner, const std::string& address) {
    // Whether a browser started is not our concern: no message either way.
    ShellExecuteA(owner, "open", address.c_str(), "", "", SW_SHOWNORMAL);
  };
  actions.browse_for_folder = BrowseForFolderPath;
  actions.show_save_dialog = ShowSaveDialog;
  actions.message_box = [](HWND owner, const std::string& text, const std::string& title,
                           UINT style) { MessageBoxA(owner, text.c_str(), title.c_str(), style); };
  return actions;
}

}  // namespace zorvitan
