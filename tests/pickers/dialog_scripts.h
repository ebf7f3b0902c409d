// What a user does in the two pickers' dialogs, as steps for a ModalDriver.
#pragma once

// commctrl.h builds on windows.h.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <functional>
#include <string>
#include <vector>

namespace zorvitan {

// What the test saw in the save dialog and answered to it.
struct SaveDialogVisit {
  std::string caption;
  std::vector<std::string> file_types;
  int selected_type = -1;
  std::string proposed_name;
  std::string starting_folder;
  std::vector<std::string> questions;  // confirmation boxes, by their text
};

// Waits for the save dialog owned by `owner`, looks at it, then types `name` and
// confirms, saying yes to every question; an empty `name` cancels instead.
std::function<bool()> SaveDialogSteps(HWND owner, const std::string& name, SaveDialogVisit* visit);

// What the test saw in the folder browser.
struct BrowserVisit {
  std::vector<std::string> texts;  // the static texts, the title among them
  bool item_found = false;
};

// Picks a tree item in the browser, or returns null to cancel.
using TreeItemPicker = std::function<HTREEITEM(HWND tree)>;

// Waits for the browser owned by `owner`, selects the item `pick` finds and confirms;
// cancels when there is no picker or it finds nothing.
std::function<bool()> BrowserSteps(HWND owner, TreeItemPicker pick, BrowserVisit* visit);

// Tree items of the browser: the drive "(C:)" and the Windows folder on it.
HTREEITEM FindDriveC(HWND tree);
HTREEITEM FindWindowsFolder(HWND tree);

}  // namespace zorvitan
