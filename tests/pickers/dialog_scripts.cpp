#include "tests/pickers/dialog_scripts.h"

#include <commdlg.h>
#include <dlgs.h>

#include <memory>

#include "tests/pickers/dialog_driver.h"

namespace zorvitan {
namespace {

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::string item(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0) + 1, '\0');
    item.resize(SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&item[0])));
    items.push_back(item);
  }
  return items;
}

void Look(HWND dialog, SaveDialogVisit* visit) {
  visit->caption = WindowText(dialog);
  HWND types = GetDlgItem(dialog, cmb1);
  visit->file_types = ComboItems(types);
  visit->selected_type = static_cast<int>(SendMessageA(types, CB_GETCURSEL, 0, 0));
  visit->proposed_name = WindowText(FileNameEdit(dialog));
  char folder[MAX_PATH] = {};
  SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
  visit->starting_folder = folder;
}

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

}  // namespace

std::function<bool()> SaveDialogSteps(HWND owner, const std::string& name, SaveDialogVisit* visit) {
  struct State {
    HWND dialog = nullptr;
    bool answered = false;
  };
  auto state = std::make_shared<State>();
  return [owner, name, visit, state] {
    if (state->dialog == nullptr) {
      state->dialog = FindDialogOwnedBy(owner);
      if (state->dialog == nullptr) return false;
      Look(state->dialog, visit);
      if (name.empty()) {
        PressButton(state->dialog, IDCANCEL);
        return true;
      }
      // The field opens full of blanks; a user replaces them rather than typing after them.
      TypeInto(FileNameEdit(state->dialog), name);
      PressButton(state->dialog, IDOK);
      return false;
    }
    if (!IsWindow(state->dialog)) return true;
    HWND question = FindDialogOwnedBy(state->dialog);
    if (question != nullptr && !state->answered) {
      std::vector<std::string> texts = ChildTextsOfClass(question, "Static");
      visit->questions.push_back(texts.empty() ? "" : texts.back());
      PressButton(question, IDYES);
      state->answered = true;
    } else if (question == nullptr) {
      state->answered = false;
    }
    return false;
  };
}

std::function<bool()> BrowserSteps(HWND owner, TreeItemPicker pick, BrowserVisit* visit) {
  return [owner, pick, visit] {
    HWND dialog = FindDialogOwnedBy(owner);
    if (dialog == nullptr) return false;
    visit->texts = ChildTextsOfClass(dialog, "Static");
    HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    HTREEITEM item = pick ? pick(tree) : nullptr;
    visit->item_found = item != nullptr;
    if (item == nullptr) {
      PressButton(dialog, IDCANCEL);
      return true;
    }
    TreeView_SelectItem(tree, item);
    PressButton(dialog, IDOK);
    return true;
  };
}

HTREEITEM FindDriveC(HWND tree) {
  // One level below the desktop's "Computer" entry, whatever the language of its caption.
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

}  // namespace zorvitan
