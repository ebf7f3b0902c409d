// The main window: the program's one window. It holds the inputs of a generation run,
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

class MainWindow : public WindowModel {
 public:
  MainWindow(HINSTANCE instance, Platform& platform, ShellActions actions = RealShellActions());
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window with all its controls, centred on the screen but not
  // yet shown. False when Windows refused.
  bool Create();
  // Shows the window and puts the focus in the site folder field.
  void Show(int show_command);

  // Null once the window has been destroyed.
  HWND hwnd() const { return hwnd_; }
  HWND Control(ControlId id) const;
  // The run with the state it keeps between runs (the last folder, the page list).
  GenerationRun& run() { return run_; }
  bool running() const { return running_; }

  // Click handlers; each does nothing while its button is out of reach.
  void OnGenerate();          // a generation run
  void OnChooseMapFile();     // save-file picker into the map file field
  void OnChooseSiteFolder();  // folder picker into the site folder field
  void OnOpenWebPage();       // the web page
  void OnExit();              // the end

  // WindowModel.
  std::string Text(Field field) override;
  void SetText(Field field, const std::string& text) override;
  void SetFocus(Field field) override;
  bool SkipUntitled() override;
  void SetInputsEnabled(bool enabled) override;
  void ShowRefusal(const Refusal& refusal) override;
  void ShowMapNotWritten(const std::string& map_file) override;
  void ShowFinished(const RunSummary& summary) override;
  bool DoEvents() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  void OnLoad();
  bool CreateControls(int dpi);
  void OnClick(int id);
  // Enabled together with every container above it.
  bool IsReachable(ControlId id) const;
  void OnActivate(bool active);
  LRESULT DefaultButtonId() const;
  void CloseOrDefer();
  void RestoreFocusAfterRun();

  HINSTANCE instance_;
  const Platform& platform_;
  ShellActions actions_;
  GenerationRun run_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  bool font_owned_ = false;
  HWND saved_focus_ = nullptr;  // given back when the window is activated again
  bool running_ = false;        // inside OnGenerate
  bool close_requested_ = false;
};

}  // namespace zorvitan
