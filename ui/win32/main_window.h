// The main window: the program's one window. It holds the inputs of a generation run,
// the five buttons, and is the run's front end.
#pragma once

#include <windows.h>

#include <string>

#include "engine/platform/platform.h"
#include "engine/run/front_end.h"
#include "engine/run/run_inputs.h"
#include "ui/win32/clipboard_writer.h"
#include "ui/win32/control_table.h"
#include "ui/win32/shell_actions.h"
#include "ui/window_run.h"

namespace zorvitan {

class MainWindow : public RunWindow {
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

  // Click handlers; each does nothing while its button is out of reach.
  void OnGenerate();          // a generation run
  void OnChooseMapFile();     // save-file picker into the map file field
  void OnChooseSiteFolder();  // folder picker into the site folder field
  void OnOpenWebPage();       // the web page
  void OnExit();              // the end

  std::string Text(Field field) const;
  void SetText(Field field, const std::string& text);
  bool SkipUntitled() const;
  // What the fields and the check box say, read once when a run starts, and
  // the window's clipboard.
  RunInputs Inputs();

  // RunWindow.
  void ShowSiteFolder(const std::string& site_folder) override;
  void SetFocus(Field field) override;
  void SetInputsEnabled(bool enabled) override;
  Clipboard* WindowClipboard() override { return &clipboard_; }
  void ShowRefusal(const Refusal& refusal) override;
  void ShowMapNotWritten(const std::string& map_file) override;
  void ShowFinished(const RunSummary& summary) override;
  // The window makes no sitemap; shown all the same, should it ever.
  void ShowNothingListed(const std::string& map_file, const RunSummary& summary) override;
  void Report(Phase /*phase*/, std::size_t /*done*/, std::size_t /*total*/) override {}
  bool KeepGoing() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  bool CreateControls(int dpi);
  void OnClick(int id);
  // Enabled together with every container above it.
  bool IsReachable(ControlId id) const;
  void OnActivate(bool active);
  LRESULT DefaultButtonId() const;
  void CloseOrDefer();
  void RestoreFocusAfterRun();

  HINSTANCE instance_;
  Platform& platform_;
  ShellActions actions_;
  // Page texts go to the clipboard under this window's name. A text still
  // promised is made when the window goes, before the platform it is read
  // through does.
  ClipboardWriter clipboard_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  bool font_owned_ = false;
  HWND saved_focus_ = nullptr;  // given back when the window is activated again
  bool running_ = false;        // inside OnGenerate
  bool close_requested_ = false;
  ULONGLONG last_pump_ = 0;  // GetTickCount64 of the last pump during a run
};

}  // namespace zorvitan
