#include "tests/gui/main_window_fixture.h"

#include "ui/win32/message_loop.h"

namespace zorvitan {
namespace {

ShellActions Recorders(ShellRecord* record) {
  ShellActions actions;
  actions.open_web_page = [record](HWND owner, const std::string& address) {
    record->web_page_owners.push_back(owner);
    record->web_pages.push_back(address);
  };
  actions.browse_for_folder = [record](HWND, const std::string& title) {
    record->browse_titles.push_back(title);
    return record->browse_result;
  };
  actions.show_save_dialog = [record](HWND owner, std::string& filter, const std::string& title,
                                      const std::string& initial_dir) {
    record->saves.push_back({owner, filter, title, initial_dir});
    return record->save_result;
  };
  // The real box, so its owner and modality are real too; the closer ends it.
  actions.message_box = [record](HWND owner, const std::string& text, const std::string& title,
                                 UINT style) {
    HWND generate = FindWindowExA(owner, nullptr, "Button", cp1250::kGenerate);
    record->boxes.push_back({owner, text, title, style, IsWindowEnabled(generate) != FALSE});
    MessageBoxA(owner, text.c_str(), title.c_str(), style);
  };
  return actions;
}

// DestroyWindow of the main window leaves a WM_QUIT behind; the next test's
// message boxes would end at once.
void DrainQuit() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

}  // namespace

void MainWindowTest::SetUp() {
  ASSERT_EQ(GetACP(), 1250u) << "the tests expect the Polish code page";
  DrainQuit();
  main_ = std::make_unique<MainWindow>(GetModuleHandleA(nullptr), platform_, Recorders(&shell_));
  ASSERT_TRUE(main_->Create());
  main_->Show(SW_SHOWNORMAL);
  SetForegroundWindow(main_->hwnd());
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

void MainWindowTest::TearDown() {
  main_.reset();
  DrainQuit();
}

void MainWindowTest::Click(ControlId id) { SendMessageA(Control(id), BM_CLICK, 0, 0); }

void MainWindowTest::PressKey(WPARAM key) {
  MSG msg = {};
  msg.hwnd = GetFocus();
  msg.message = WM_KEYDOWN;
  msg.wParam = key;
  msg.lParam = 1;
  if (!IsDialogMessageA(Window(), &msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

std::string MainWindowTest::TextOf(ControlId id) const {
  char buffer[512] = {};
  GetWindowTextA(Control(id), buffer, sizeof(buffer));
  return buffer;
}

int MainWindowTest::RunLoopUntilQuit() {
  const UINT_PTR give_up = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) {
    ADD_FAILURE() << "the message loop did not end";
    PostQuitMessage(-7);
  });
  const int code = RunMessageLoop(Window());
  KillTimer(nullptr, give_up);
  return code;
}

}  // namespace zorvitan
