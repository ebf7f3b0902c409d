// The two "..." buttons of the real main window, with the real dialogs behind them.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "platform/win32/os_platform.h"
#include "tests/pickers/dialog_driver.h"
#include "tests/pickers/dialog_scripts.h"
#include "ui/win32/main_window.h"

namespace zorvitan {
namespace {

class MainWindowPickersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    main_ = std::make_unique<MainWindow>(GetModuleHandleA(nullptr), platform_);
    ASSERT_TRUE(main_->Create());
    main_->Show(SW_SHOWNORMAL);
    SetForegroundWindow(main_->hwnd());
  }

  void TearDown() override {
    main_.reset();
    // Destroying the main window leaves a WM_QUIT that would end the next dialog at once.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  HWND Control(ControlId id) const { return main_->Control(id); }
  std::string TextOf(ControlId id) const { return WindowText(Control(id)); }
  void SetTextOf(ControlId id, const std::string& text) {
    SetWindowTextA(Control(id), text.c_str());
  }

  // Clicks the button as the mouse would, while `steps` work the dialog it opens.
  void ClickWhileDriving(ControlId button, std::function<bool()> steps) {
    ModalDriver driver(std::move(steps));
    SendMessageA(Control(button), BM_CLICK, 0, 0);
    EXPECT_FALSE(driver.timed_out()) << "the dialog did not close as driven";
  }

  Win32Platform platform_;
  std::unique_ptr<MainWindow> main_;
};

TEST_F(MainWindowPickersTest, SavedPathLandsInText2WithTheFocus) {
  ScratchFolder site;
  SetTextOf(kSiteFolderEdit, site.path());
  SetTextOf(kMapFileEdit, "stara mapa.htm");
  SaveDialogVisit visit;
  ClickWhileDriving(kMapFileButton, SaveDialogSteps(main_->hwnd(), "mapa.html", &visit));

  EXPECT_EQ(visit.file_types, (std::vector<std::string>{"*.htm", "*.html", "*.php"}));
  EXPECT_EQ(TextOf(kMapFileEdit), site.path() + "mapa.html");
  EXPECT_EQ(GetFocus(), Control(kMapFileEdit));
  EXPECT_FALSE(FileExists(site.path() + "mapa.html")) << "the picker creates no file";
}

TEST_F(MainWindowPickersTest, CancelledSaveLeavesText2AsItWasWithTheFocus) {
  SetTextOf(kMapFileEdit, Ansi("C:\\wpisane ręcznie"));
  SaveDialogVisit visit;
  ClickWhileDriving(kMapFileButton, SaveDialogSteps(main_->hwnd(), "", &visit));

  EXPECT_EQ(visit.caption, Ansi("Podaj nazwę pliku z mapą serwisu"));
  EXPECT_EQ(TextOf(kMapFileEdit), Ansi("C:\\wpisane ręcznie"));
  EXPECT_EQ(GetFocus(), Control(kMapFileEdit));
}

TEST_F(MainWindowPickersTest, CancelledBrowserEmptiesText1WithTheFocus) {
  SetTextOf(kSiteFolderEdit, "C:\\moja strona\\");
  BrowserVisit visit;
  ClickWhileDriving(kSiteFolderButton, BrowserSteps(main_->hwnd(), nullptr, &visit));
  EXPECT_FALSE(visit.texts.empty()) << "no browser was seen";

  EXPECT_EQ(TextOf(kSiteFolderEdit), "");
  EXPECT_EQ(GetFocus(), Control(kSiteFolderEdit));
}

TEST_F(MainWindowPickersTest, ChosenFolderLandsInText1WithoutTrailingBackslash) {
  SetTextOf(kSiteFolderEdit, "C:\\poprzedni\\");
  BrowserVisit visit;
  ClickWhileDriving(kSiteFolderButton, BrowserSteps(main_->hwnd(), FindWindowsFolder, &visit));

  ASSERT_TRUE(visit.item_found) << "no C:\\windows item in the browser's tree";
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(lstrcmpiA(TextOf(kSiteFolderEdit).c_str(), windows), 0) << TextOf(kSiteFolderEdit);
  EXPECT_EQ(GetFocus(), Control(kSiteFolderEdit));
}

}  // namespace
}  // namespace zorvitan
