// Drives the real folder browser under Wine/Windows through BrowseForFolderPath.
#include <gtest/gtest.h>
// commctrl.h builds on windows.h.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/pickers/dialog_driver.h"
#include "tests/pickers/dialog_scripts.h"
#include "ui/win32/browse.h"

namespace zorvitan {
namespace {

const std::string kTitle = Ansi("Wybierz katalog w którym trzymasz swoją stronę WWW");

// Opens the browser with the site folder title, selects the item `pick` finds (none:
// cancel) and confirms it.
std::string RunBrowser(TreeItemPicker pick, BrowserVisit& visit) {
  OwnerWindow owner;
  ModalDriver driver(BrowserSteps(owner.hwnd(), pick, &visit));
  std::string result = BrowseForFolderPath(owner.hwnd(), kTitle);
  EXPECT_FALSE(driver.timed_out()) << "the browser did not close as driven";
  return result;
}

TEST(BrowseDialogTest, CancelGivesEmptyTextAndShowsThePolishTitle) {
  BrowserVisit visit;
  EXPECT_EQ(RunBrowser(nullptr, visit), "");
  EXPECT_NE(std::find(visit.texts.begin(), visit.texts.end(), kTitle), visit.texts.end())
      << "the title is passed in the ANSI code page";
}

TEST(BrowseDialogTest, ChosenFolderComesBackAsThePlatformWritesIt) {
  BrowserVisit visit;
  const std::string chosen = RunBrowser(FindWindowsFolder, visit);
  ASSERT_TRUE(visit.item_found) << "no C:\\windows item in the browser's tree";
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(lstrcmpiA(chosen.c_str(), windows), 0) << chosen;
  EXPECT_NE(chosen.back(), '\\') << "no backslash is added";
}

TEST(BrowseDialogTest, ItemWithoutFileSystemPathGivesEmptyText) {
  // "Computer" has no folder on disk; its OK button is disabled, so the command is
  // sent straight to the browser.
  BrowserVisit visit;
  const std::string chosen = RunBrowser(
      [](HWND tree) {
        HTREEITEM drive = FindDriveC(tree);
        return drive == nullptr ? nullptr : TreeView_GetParent(tree, drive);
      },
      visit);
  ASSERT_TRUE(visit.item_found);
  EXPECT_EQ(chosen, "");
}

}  // namespace
}  // namespace zorvitan
