// Drives the real save dialog under Wine/Windows through ShowSaveDialog.
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/pickers/dialog_driver.h"
#include "ui/win32/open_save.h"

namespace zorvitan {
namespace {

const char kMapFileFilter[] = "*.htm|*htm|*.html|*.html|*.php|*.php";
const std::string kTitle = Ansi("Podaj nazwę pliku z mapą serwisu");

// What the test saw in the dialog and answered to it.
struct SaveDialogVisit {
  std::string caption;
  std::vector<std::string> file_types;
  int selected_type = -1;
  std::string proposed_name;
  std::string starting_folder;
  std::vector<std::string> questions;  // confirmation boxes, by their text
};

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

void Look(HWND dialog, SaveDialogVisit& visit) {
  visit.caption = WindowText(dialog);
  HWND types = GetDlgItem(dialog, cmb1);
  visit.file_types = ComboItems(types);
  visit.selected_type = static_cast<int>(SendMessageA(types, CB_GETCURSEL, 0, 0));
  visit.proposed_name = WindowText(FileNameEdit(dialog));
  char folder[MAX_PATH] = {};
  SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
  visit.starting_folder = folder;
}

// Opens the dialog with the map file presets, types `name` (or cancels when it is
// empty) and says yes to every question. Returns what ShowSaveDialog returned.
std::string RunSaveDialog(const std::string& initial_dir, const std::string& name,
                          SaveDialogVisit& visit) {
  OwnerWindow owner;
  HWND dialog = nullptr;
  bool answered = false;
  ModalDriver driver([&] {
    if (dialog == nullptr) {
      dialog = FindDialogOwnedBy(owner.hwnd());
      if (dialog == nullptr) return false;
      Look(dialog, visit);
      if (name.empty()) {
        PressButton(dialog, IDCANCEL);
        return true;
      }
      // The field opens full of blanks; a user replaces them rather than typing after them.
      TypeInto(FileNameEdit(dialog), name);
      PressButton(dialog, IDOK);
      return false;
    }
    if (!IsWindow(dialog)) return true;
    HWND question = FindDialogOwnedBy(dialog);
    if (question != nullptr && !answered) {
      std::vector<std::string> texts = ChildTextsOfClass(question, "Static");
      visit.questions.push_back(texts.empty() ? "" : texts.back());
      PressButton(question, IDYES);
      answered = true;
    } else if (question == nullptr) {
      answered = false;
    }
    return false;
  });
  std::string filter = kMapFileFilter;
  std::string result = ShowSaveDialog(owner.hwnd(), filter, kTitle, initial_dir);
  EXPECT_FALSE(driver.timed_out()) << "the dialog did not close as driven";
  return result;
}

// Wine's save dialog does not ask before creating a new file; Windows does.
bool RunningUnderWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

std::string WithoutTrailingBackslash(std::string path) {
  if (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

TEST(SaveDialogTest, OffersTheMapFileTypesInTheSiteFolderWithABlankName) {
  ScratchFolder site;
  SaveDialogVisit visit;
  EXPECT_EQ(RunSaveDialog(site.path(), "", visit), "");

  EXPECT_EQ(visit.caption, kTitle);
  EXPECT_EQ(visit.file_types, (std::vector<std::string>{"*.htm", "*.html", "*.php"}));
  EXPECT_EQ(visit.selected_type, 0);
  EXPECT_EQ(visit.proposed_name.find_first_not_of(' '), std::string::npos)
      << "proposed name: \"" << visit.proposed_name << "\"";
  EXPECT_EQ(lstrcmpiA(WithoutTrailingBackslash(visit.starting_folder).c_str(),
                      WithoutTrailingBackslash(site.path()).c_str()),
            0)
      << visit.starting_folder;
  EXPECT_TRUE(visit.questions.empty());
}

TEST(SaveDialogTest, NewNameIsConfirmedAndReturnedWithoutCreatingTheFile) {
  ScratchFolder site;
  SaveDialogVisit visit;
  const std::string expected = site.path() + "mapa.htm";
  EXPECT_EQ(RunSaveDialog(site.path(), "mapa.htm", visit), expected);
  EXPECT_EQ(visit.questions.size(), RunningUnderWine() ? 0u : 1u)
      << "the dialog asks before creating a file";
  EXPECT_FALSE(FileExists(expected));
}

TEST(SaveDialogTest, ExistingFileIsConfirmedAndLeftUnchanged) {
  ScratchFolder site;
  const std::string existing = site.WriteFile("stara.html", "bez zmian");
  SaveDialogVisit visit;
  EXPECT_EQ(RunSaveDialog(site.path(), "stara.html", visit), existing);
  EXPECT_EQ(visit.questions.size(), 1u) << "the dialog asks before overwriting";
  EXPECT_EQ(ReadWholeFile(existing), "bez zmian");
}

TEST(SaveDialogTest, NameWithoutExtensionGetsNoneAdded) {
  ScratchFolder site;
  SaveDialogVisit visit;
  EXPECT_EQ(RunSaveDialog(site.path(), "mapa", visit), site.path() + "mapa");
}

TEST(SaveDialogTest, PolishNameTravelsInTheAnsiCodePage) {
  ScratchFolder site;
  SaveDialogVisit visit;
  const std::string name = Ansi("mapa_zażółć.htm");
  EXPECT_EQ(RunSaveDialog(site.path(), name, visit), site.path() + name);
}

TEST(SaveDialogTest, EveryOpeningShowsTheSameThreeTypes) {
  for (int round = 0; round < 3; ++round) {
    SaveDialogVisit visit;
    EXPECT_EQ(RunSaveDialog("", "", visit), "");
    EXPECT_EQ(visit.file_types.size(), 3u) << "round " << round;
  }
}

}  // namespace
}  // namespace zorvitan
