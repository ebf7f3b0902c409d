// Drives the real folder browser under Wine/Windows through BrowseForFolderPath.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/pickers/dialog_driver.h"
#include "ui/win32/browse.h"

namespace zorvitan {
namespace {

const std::string kTitle = Ansi("Wybierz katalog w którym trzymasz swoją stronę WWW");

std::string ItemText(HWND tree, HTREEITEM item) {
  char text[MAX_PATH] = {};
  TVITEMA query = {};
  query.mask = TVIF_TEXT;
  query.hItem = item;
  query.pszText = text;
  query.cchTextMax = MAX_PATH;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
  return text;
}

// The first child of `parent` whose text satisfies `wanted`, expanding `parent` first
// so the browser fills in its children.
HTREEITEM FindChild(HWND tree, HTREEITEM parent,
                    const std::function<bool(const std::string&)>& wanted) {
  TreeView_Expand(tree, parent, TVE_EXPAND);
  for (HTREEITEM item = TreeView_GetChild(tree, parent); item != nullptr;
       item = TreeView_GetNextSibling(tree, item)) {
    if (wanted(ItemText(tree, item))) return item;
  }
  return nullptr;
}

// The drive item "(C:)", one level below the desktop's "Computer" entry, whatever the
// language of its caption.
HTREEITEM FindDriveC(HWND tree) {
  HTREEITEM desktop = TreeView_GetRoot(tree);
  TreeView_Expand(tree, desktop, TVE_EXPAND);
  for (HTREEITEM top = TreeView_GetChild(tree, desktop); top != nullptr;
       top = TreeView_GetNextSibling(tree, top)) {
    if (ItemText(tree, top) == "/") continue;  // Wine's Unix root: large and beside the point
    HTREEITEM drive = FindChild(
        tree, top, [](const std::string& text) { return text.find("(C:)") != std::string::npos; });
    if (drive != nullptr) return drive;
  }
  return nullptr;
}

HTREEITEM FindWindowsFolder(HWND tree) {
  HTREEITEM drive = FindDriveC(tree);
  if (drive == nullptr) return nullptr;
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string name = std::string(windows).substr(3);  // after "C:\"
  return FindChild(tree, drive, [&](const std::string& text) {
    return lstrcmpiA(text.c_str(), name.c_str()) == 0;
  });
}

// What the test saw in the browser.
struct BrowserVisit {
  std::vector<std::string> texts;
  bool item_found = false;
};

// Opens the browser with the site folder title, selects the item `pick` finds (none:
// cancel) and confirms it.
std::string RunBrowser(const std::function<HTREEITEM(HWND)>& pick, BrowserVisit& visit) {
  OwnerWindow owner;
  ModalDriver driver([&] {
    HWND dialog = FindDialogOwnedBy(owner.hwnd());
    if (dialog == nullptr) return false;
    visit.texts = ChildTextsOfClass(dialog, "Static");
    HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    HTREEITEM item = pick ? pick(tree) : nullptr;
    visit.item_found = item != nullptr;
    if (item == nullptr) {
      PressButton(dialog, IDCANCEL);
      return true;
    }
    TreeView_SelectItem(tree, item);
    PressButton(dialog, IDOK);
    return true;
  });
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
