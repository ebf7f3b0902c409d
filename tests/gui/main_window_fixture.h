// A real main window, created and shown on the test thread, with the shell and the
// pickers replaced by recorders. Message boxes are real and closed at once.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/os_platform.h"
#include "tests/gui/message_box_closer.h"
#include "ui/win32/main_window.h"

namespace zorvitan {

struct RecordedBox {
  HWND owner;
  std::string text;
  std::string title;
  UINT style;
  bool generate_enabled;  // the generate button's state while the box was up
};

struct RecordedSave {
  HWND owner;
  std::string filter;
  std::string title;
  std::string initial_dir;
};

struct ShellRecord {
  std::vector<RecordedBox> boxes;
  std::vector<std::string> web_pages;
  std::vector<HWND> web_page_owners;
  std::vector<std::string> browse_titles;
  std::string browse_result;
  std::vector<RecordedSave> saves;
  std::string save_result;
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HWND Window() const { return main_->hwnd(); }
  HWND Control(ControlId id) const { return main_->Control(id); }
  // Presses the button as the mouse would (BM_CLICK), so its notification
  // travels through the frames like a real one.
  void Click(ControlId id);
  // A key pressed in the focused control, delivered the way the message loop
  // delivers it.
  void PressKey(WPARAM key);
  std::string TextOf(ControlId id) const;
  // Runs the message loop until the window's WM_QUIT; fails rather than hangs.
  int RunLoopUntilQuit();

  Win32Platform platform_;
  ShellRecord shell_;
  MessageBoxCloser box_closer_;
  std::unique_ptr<MainWindow> main_;
};

// The program's texts as the Polish code page (1250) holds them.
namespace cp1250 {
inline constexpr char kGenerate[] = "Generuj map\xEA serwisu";
inline constexpr char kSiteFrame[] = "Podaj katalog ze stron\xB9";
inline constexpr char kMapFrame[] = "Gdzie zapisa\xE6 plik z map\xB9 serwisu?";
inline constexpr char kPatternsFrame[] =
    "Obrabiaj nast\xEApuj\xB9"
    "ce pliki:";
inline constexpr char kCheck[] = "Nie dodawaj stron bez tytu\xB3u";
inline constexpr char kErrorTitle[] =
    "B\xB3\xB9"
    "d";
}  // namespace cp1250

}  // namespace zorvitan
