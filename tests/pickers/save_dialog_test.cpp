// Drives the real save dialog under Wine/Windows through ShowSaveDialog.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/pickers/dialog_driver.h"
#include "tests/pickers/dialog_scripts.h"
#include "ui/win32/open_save.h"

namespace zorvitan {
namespace {

const char kMapFileFilter[] = "*.htm|*htm|*.html|*.html|*.php|*.php";
const std::string kTitle = Ansi("Podaj nazwę pliku z mapą serwisu");

// Opens the dialog with the map file presets, types `name` (or cancels when it is
// empty) and says yes to every question. Returns what ShowSaveDialog returned.
std::string RunSaveDialog(const std::string& initial_dir, const std::string& name,
                          SaveDialogVisit& visit) {
  OwnerWindow owner;
  ModalDriver driver(SaveDialogSteps(owner.hwnd(), name, &visit));
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

TEST(SaveDialogTest, SaveWithTheProposedNameUntouchedDoesNotEndTheProgram) {
  ScratchFolder site;
  OwnerWindow owner;
  HWND dialog = nullptr;
  ModalDriver driver([&] {
    if (dialog == nullptr) {
      dialog = FindDialogOwnedBy(owner.hwnd());
      if (dialog != nullptr) PressButton(dialog, IDOK);  // nothing typed
      return false;
    }
    if (IsWindow(dialog)) PressButton(dialog, IDCANCEL);
    return true;
  });
  std::string filter = kMapFileFilter;
  EXPECT_EQ(ShowSaveDialog(owner.hwnd(), filter, kTitle, site.path()), "");
  EXPECT_FALSE(driver.timed_out());
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
