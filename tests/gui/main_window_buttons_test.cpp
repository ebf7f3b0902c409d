// SetInputsEnabled, the keyboard buttons (Esc, Enter) and the click handlers of the
// picker, WWW and exit buttons.
#include "tests/gui/main_window_fixture.h"

namespace zorvitan {
namespace {

const ControlId kInputs[] = {kSiteFolderEdit, kMapFileEdit, kPatternsEdit, kSkipUntitledCheck};
// What the design disables during a run: the four frames inside the options frame, the
// options frame and the five buttons. The inputs stay enabled themselves, out of reach
// inside their disabled frames.
const ControlId kDisabledByDesign[] = {
    kIndexingFrame,  kMapFileFrame,  kSiteFolderFrame,  kPatternsFrame, kOptionsFrame,
    kGenerateButton, kMapFileButton, kSiteFolderButton, kWebButton,     kExitButton};

// What Tab can reach from nothing focused: the controls the keyboard can get to.
std::vector<HWND> TabReachable(HWND window) {
  std::vector<HWND> reached;
  HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
  for (HWND item = first; item != nullptr && reached.size() < 20;) {
    reached.push_back(item);
    item = GetNextDlgTabItem(window, item, FALSE);
    if (item == first) break;
  }
  return reached;
}

bool Contains(const std::vector<HWND>& windows, HWND window) {
  for (HWND w : windows) {
    if (w == window) return true;
  }
  return false;
}

TEST_F(MainWindowTest, EnabledXTakesFramesButtonsAndTheirContentsOutOfReachAndBack) {
  main_->SetInputsEnabled(false);
  main_->SetInputsEnabled(false);  // a second call changes nothing
  for (ControlId id : kDisabledByDesign) {
    EXPECT_FALSE(IsWindowEnabled(Control(id))) << FindControl(id)->name;
  }
  const std::vector<HWND> reachable = TabReachable(Window());
  for (ControlId id : kInputs) {
    EXPECT_TRUE(IsWindowEnabled(Control(id))) << FindControl(id)->name << " set by itself";
    EXPECT_FALSE(Contains(reachable, Control(id))) << FindControl(id)->name;
  }
  EXPECT_TRUE(IsWindowEnabled(Window())) << "the close box stays active";

  // The mouse over a field finds no enabled control: it lands on the window's
  // own background.
  RECT field;
  GetWindowRect(Control(kSiteFolderEdit), &field);
  HWND hit = WindowFromPoint({(field.left + field.right) / 2, (field.top + field.bottom) / 2});
  EXPECT_TRUE(hit == Window() || !IsWindowEnabled(hit));

  // Clicks that reach the window anyway do nothing.
  SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(kWebButton, BN_CLICKED),
               reinterpret_cast<LPARAM>(Control(kWebButton)));
  EXPECT_TRUE(shell_.web_pages.empty());

  main_->SetInputsEnabled(true);
  main_->SetInputsEnabled(true);
  for (ControlId id : kDisabledByDesign) {
    EXPECT_TRUE(IsWindowEnabled(Control(id))) << FindControl(id)->name;
  }
  const std::vector<HWND> back = TabReachable(Window());
  EXPECT_EQ(back.size(), 9u);
  for (ControlId id : kInputs) {
    EXPECT_TRUE(Contains(back, Control(id))) << FindControl(id)->name;
  }
}

TEST_F(MainWindowTest, WebButtonOpensTheWebPageAndLeavesTheWindowAlone) {
  main_->SetText(Field::kSiteFolder, "C:\\strona");
  Click(kWebButton);
  ASSERT_EQ(shell_.web_pages.size(), 1u);
  EXPECT_EQ(shell_.web_pages[0], ZORVITAN_WEB_ADDRESS);
  EXPECT_EQ(shell_.web_page_owners[0], Window());
  EXPECT_TRUE(shell_.boxes.empty());
  EXPECT_TRUE(IsWindow(Window()));
  EXPECT_EQ(TextOf(kSiteFolderEdit), "C:\\strona");
}

TEST_F(MainWindowTest, EnterPressesTheFocusedButton) {
  SetFocus(Control(kWebButton));
  PressKey(VK_RETURN);
  EXPECT_EQ(shell_.web_pages.size(), 1u);
  // Enter in a field presses nothing.
  SetFocus(Control(kMapFileEdit));
  PressKey(VK_RETURN);
  EXPECT_EQ(shell_.web_pages.size(), 1u);
  EXPECT_TRUE(IsWindow(Window()));
}

TEST_F(MainWindowTest, ExitButtonEndsTheMessageLoopWithoutAQuestion) {
  main_->SetText(Field::kSiteFolder, "C:\\niezapisane");
  PostMessageA(Control(kExitButton), BM_CLICK, 0, 0);
  EXPECT_EQ(RunLoopUntilQuit(), 0);
  EXPECT_EQ(Window(), nullptr);
  EXPECT_TRUE(shell_.boxes.empty());
}

TEST_F(MainWindowTest, EscPressesTheExitButtonButNotWhileItIsDisabled) {
  main_->SetInputsEnabled(false);
  PressKey(VK_ESCAPE);
  ASSERT_NE(Window(), nullptr);
  main_->SetInputsEnabled(true);
  SetFocus(Control(kPatternsEdit));
  PressKey(VK_ESCAPE);
  EXPECT_EQ(Window(), nullptr);
}

TEST_F(MainWindowTest, TheCloseBoxEndsTheProgram) {
  PostMessageA(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(RunLoopUntilQuit(), 0);
  EXPECT_EQ(Window(), nullptr);
}

TEST_F(MainWindowTest, FolderButtonPutsThePickedFolderOrNothingIntoItsField) {
  shell_.browse_result = "C:\\strona";
  Click(kSiteFolderButton);
  ASSERT_EQ(shell_.browse_titles.size(), 1u);
  EXPECT_EQ(shell_.browse_titles[0], "Wybierz katalog w kt\xF3rym trzymasz swoj\xB9 stron\xEA WWW");
  EXPECT_EQ(TextOf(kSiteFolderEdit), "C:\\strona");
  EXPECT_EQ(GetFocus(), Control(kSiteFolderEdit));

  // A cancelled browser empties the field.
  shell_.browse_result = "";
  SetFocus(Control(kGenerateButton));
  Click(kSiteFolderButton);
  EXPECT_EQ(TextOf(kSiteFolderEdit), "");
  EXPECT_EQ(GetFocus(), Control(kSiteFolderEdit));
}

TEST_F(MainWindowTest, MapFileButtonPutsAChosenPathIntoItsFieldAndKeepsItOnCancel) {
  main_->SetText(Field::kSiteFolder, "C:\\strona");
  main_->SetText(Field::kMapFile, "wpisane.htm");
  shell_.save_result = "";
  Click(kMapFileButton);
  ASSERT_EQ(shell_.saves.size(), 1u);
  EXPECT_EQ(shell_.saves[0].owner, Window());
  EXPECT_EQ(shell_.saves[0].filter, "*.htm|*htm|*.html|*.html|*.php|*.php");
  EXPECT_EQ(shell_.saves[0].title, "Podaj nazw\xEA pliku z map\xB9 serwisu");
  EXPECT_EQ(shell_.saves[0].initial_dir, "C:\\strona");
  EXPECT_EQ(TextOf(kMapFileEdit), "wpisane.htm");
  EXPECT_EQ(GetFocus(), Control(kMapFileEdit));

  shell_.save_result = "C:\\strona\\mapa.htm";
  SetFocus(Control(kGenerateButton));
  Click(kMapFileButton);
  EXPECT_EQ(TextOf(kMapFileEdit), "C:\\strona\\mapa.htm");
  EXPECT_EQ(GetFocus(), Control(kMapFileEdit));
}

}  // namespace
}  // namespace zorvitan
