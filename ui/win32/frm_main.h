// frmMain: the program's one window. It holds the inputs of a generation run,
// the five buttons, and serves as the run's window model.
#pragma once

#include <windows.h>

#include <string>

#include "engine/generation_run.h"
#include "engine/platform.h"
#include "engine/window_model.h"
#include "ui/win32/control_table.h"
#include "ui/win32/shell_actions.h"

namespace zorvitan {

class FrmMain : public WindowModel {
 public:
  FrmMain(HINSTANCE instance, Platform& platform, ShellActions actions = RealShellActions());
  ~FrmMain() override;
  FrmMain(const FrmMain&) = delete;
  FrmMain& operator=(const FrmMain&) = delete;

  // Creates the window with all its controls, centred on the screen but not
  // yet shown. False when Windows refused.
  bool Create();
  // Shows the window and puts the focus in Text1.
  void Show(int show_command);

  // Null once the window has been destroyed.
  HWND hwnd() const { return hwnd_; }
  HWND Control(ControlId id) const;
  // The run with the state it keeps between runs (LastFolder, the page list).
  GenerationRun& run() { return run_; }
  bool running() const { return running_; }

  // Click handlers; each does nothing while its button is out of reach.
  void Command1_Click();  // a generation run
  void Command2_Click();  // save-file picker into Text2
  void Command3_Click();  // folder picker into Text1
  void Command4_Click();  // the web page
  void Command5_Click();  // the end

  // WindowModel.
  std::string Text(Field field) override;
  void SetText(Field field, const std::string& text) override;
  void SetFocus(Field field) override;
  int Check1() override;
  void EnabledX(bool flag) override;
  void MsgBox(const std::string& text, int style, const std::string& title) override;
  bool DoEvents() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  void Form_Load();
  bool CreateControls(int dpi);
  void OnClick(int id);
  // Enabled together with every container above it.
  bool IsReachable(ControlId id) const;
  void OnActivate(bool active);
  LRESULT DefaultButtonId() const;
  void CloseOrDefer();
  void RestoreFocusAfterRun();

  HINSTANCE instance_;
  ShellActions actions_;
  GenerationRun run_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  bool font_owned_ = false;
  HWND saved_focus_ = nullptr;  // given back when the window is activated again
  bool running_ = false;        // inside Command1_Click
  bool close_requested_ = false;
};

}  // namespace zorvitan
