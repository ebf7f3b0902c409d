// EnabledX, the keyboard buttons (Esc, Enter) and the click handlers of the
// picker, WWW and exit buttons.
#include "tests/gui/frm_main_fixture.h"

namespace zorvitan {
namespace {

const ControlId kInputs[] = {kText1, kText2, kText3, kCheck1};

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

TEST_F(FrmMainTest, EnabledXTakesFramesButtonsAndTheirContentsOutOfReachAndBack) {
  frm_->EnabledX(false);
  frm_->EnabledX(false);  // a second call changes nothing
  for (ControlId id : kEnabledXOrder) {
    EXPECT_FALSE(IsWindowEnabled(Control(id))) << FindControl(id)->name;
  }
  const std::vector<HWND> reachable = TabReachable(Window());
  for (ControlId id : kInputs) {
    EXPECT_FALSE(Contains(reachable, Control(id))) << FindControl(id)->name;
  }
  EXPECT_TRUE(IsWindowEnabled(Window())) << "the close box stays active";

  // The mouse over a field finds no enabled control: it lands on the window's
  // own background.
  RECT field;
  GetWindowRect(Control(kText1), &field);
  HWND hit = WindowFromPoint({(field.left + field.right) / 2, (field.top + field.bottom) / 2});
  EXPECT_TRUE(hit == Window() || !IsWindowEnabled(hit));

  // Clicks that reach the window anyway do nothing.
  SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(kCommand4, BN_CLICKED),
               reinterpret_cast<LPARAM>(Control(kCommand4)));
  EXPECT_TRUE(shell_.web_pages.empty());

  frm_->EnabledX(true);
  frm_->EnabledX(true);
  for (ControlId id : kEnabledXOrder) {
    EXPECT_TRUE(IsWindowEnabled(Control(id))) << FindControl(id)->name;
  }
  const std::vector<HWND> back = TabReachable(Window());
  EXPECT_EQ(back.size(), 9u);
  for (ControlId id : kInputs) {
    EXPECT_TRUE(Contains(back, Control(id))) << FindControl(id)->name;
  }
}

TEST_F(FrmMainTest, Command4OpensTheWebPageAndLeavesTheWindowAlone) {
  frm_->SetText(Field::kText1, "C:\\strona");
  frm_->run().LastFolder = "C:\\strona\\dzial\\";
  Click(kCommand4);
  ASSERT_EQ(shell_.web_pages.size(), 1u);
  EXPECT_EQ(shell_.web_pages[0], ZORVITAN_WEB_ADDRESS);
  EXPECT_EQ(shell_.web_page_owners[0], Window());
  EXPECT_TRUE(shell_.boxes.empty());
  EXPECT_TRUE(IsWindow(Window()));
  EXPECT_EQ(TextOf(kText1), "C:\\strona");
  EXPECT_EQ(frm_->run().LastFolder, "C:\\strona\\dzial\\");
}

TEST_F(FrmMainTest, EnterPressesTheFocusedButton) {
  SetFocus(Control(kCommand4));
  PressKey(VK_RETURN);
  EXPECT_EQ(shell_.web_pages.size(), 1u);
  // Enter in a field presses nothing.
  SetFocus(Control(kText2));
  PressKey(VK_RETURN);
  EXPECT_EQ(shell_.web_pages.size(), 1u);
  EXPECT_TRUE(IsWindow(Window()));
}

TEST_F(FrmMainTest, Command5EndsTheMessageLoopWithoutAQuestion) {
  frm_->SetText(Field::kText1, "C:\\niezapisane");
  PostMessageA(Control(kCommand5), BM_CLICK, 0, 0);
  EXPECT_EQ(RunLoopUntilQuit(), 0);
  EXPECT_EQ(Window(), nullptr);
  EXPECT_TRUE(shell_.boxes.empty());
}

TEST_F(FrmMainTest, EscPressesCommand5ButNotWhileItIsDisabled) {
  frm_->EnabledX(false);
  PressKey(VK_ESCAPE);
  ASSERT_NE(Window(), nullptr);
  frm_->EnabledX(true);
  SetFocus(Control(kText3));
  PressKey(VK_ESCAPE);
  EXPECT_EQ(Window(), nullptr);
}

TEST_F(FrmMainTest, TheCloseBoxEndsTheProgram) {
  PostMessageA(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(RunLoopUntilQuit(), 0);
  EXPECT_EQ(Window(), nullptr);
}

TEST_F(FrmMainTest, Command3PutsThePickedFolderOrNothingIntoText1) {
  shell_.browse_result = "C:\\strona";
  Click(kCommand3);
  ASSERT_EQ(shell_.browse_titles.size(), 1u);
  EXPECT_EQ(shell_.browse_titles[0],
            "Wybierz katalog w kt\xF3rym trzymasz swoj\xB9 stron\xEA WWW");
  EXPECT_EQ(TextOf(kText1), "C:\\strona");
  EXPECT_EQ(GetFocus(), Control(kText1));

  // A cancelled browser empties the field.
  shell_.browse_result = "";
  SetFocus(Control(kCommand1));
  Click(kCommand3);
  EXPECT_EQ(TextOf(kText1), "");
  EXPECT_EQ(GetFocus(), Control(kText1));
}

TEST_F(FrmMainTest, Command2PutsAChosenMapPathIntoText2AndKeepsItOnCancel) {
  frm_->SetText(Field::kText1, "C:\\strona");
  frm_->SetText(Field::kText2, "wpisane.htm");
  shell_.save_result = "";
  Click(kCommand2);
  ASSERT_EQ(shell_.saves.size(), 1u);
  EXPECT_EQ(shell_.saves[0].owner, Window());
  EXPECT_EQ(shell_.saves[0].filter, "*.htm|*htm|*.html|*.html|*.php|*.php");
  EXPECT_EQ(shell_.saves[0].title, "Podaj nazw\xEA pliku z map\xB9 serwisu");
  EXPECT_EQ(shell_.saves[0].initial_dir, "C:\\strona");
  EXPECT_EQ(TextOf(kText2), "wpisane.htm");
  EXPECT_EQ(GetFocus(), Control(kText2));

  shell_.save_result = "C:\\strona\\mapa.htm";
  SetFocus(Control(kCommand1));
  Click(kCommand2);
  EXPECT_EQ(TextOf(kText2), "C:\\strona\\mapa.htm");
  EXPECT_EQ(GetFocus(), Control(kText2));
}

}  // namespace
}  // namespace zorvitan
