// The main window as the window model of a generation run.
#include "ui/win32/main_window.h"
#include "ui/win32/message_loop.h"

namespace zorvitan {
namespace {

ControlId FieldControl(Field field) {
  switch (field) {
    case Field::kSiteFolder:
      return kSiteFolderEdit;
    case Field::kMapFile:
      return kMapFileEdit;
    case Field::kPatterns:
      break;
  }
  return kPatternsEdit;
}

}  // namespace

std::string MainWindow::Text(Field field) {
  HWND edit = Control(FieldControl(field));
  if (edit == nullptr) return std::string();
  const int length = GetWindowTextLengthA(edit);
  if (length <= 0) return std::string();
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(edit, &text[0], length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void MainWindow::SetText(Field field, const std::string& text) {
  SetWindowTextA(Control(FieldControl(field)), text.c_str());
}

void MainWindow::SetFocus(Field field) {
  HWND edit = Control(FieldControl(field));
  saved_focus_ = edit;
  ::SetFocus(edit);
}

bool MainWindow::SkipUntitled() {
  return SendMessageA(Control(kSkipUntitledCheck), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The text boxes and the check box follow their frames: a disabled parent
// keeps mouse and keyboard away from its children.
void MainWindow::SetInputsEnabled(bool enabled) {
  for (ControlId id : kDisabledDuringRun) EnableWindow(Control(id), enabled ? TRUE : FALSE);
}

// Refusals and failures in an exclamation box titled "Błąd"; a finished run
// in an information box, followed by one "Błąd" box when pages or folders
// could not be read.
void MainWindow::ShowRefusal(const Refusal& refusal) {
  actions_.message_box(hwnd_, RefusalText(refusal, platform_), ErrorTitle(platform_),
                       MB_OK | MB_ICONEXCLAMATION);
}

void MainWindow::ShowMapNotWritten(const std::string& map_file) {
  actions_.message_box(hwnd_, MapNotWrittenText(map_file, platform_), ErrorTitle(platform_),
                       MB_OK | MB_ICONEXCLAMATION);
}

void MainWindow::ShowFinished(const RunSummary& summary) {
  actions_.message_box(hwnd_, ClosingText(summary.pages_found, platform_), ProgramTitle(platform_),
                       MB_OK | MB_ICONINFORMATION);
  const std::string problems = ProblemsText(summary, platform_);
  if (!problems.empty()) {
    actions_.message_box(hwnd_, problems, ErrorTitle(platform_), MB_OK | MB_ICONEXCLAMATION);
  }
}

bool MainWindow::DoEvents() {
  const bool no_quit = PumpPendingMessages(hwnd_);
  return no_quit && !close_requested_ && hwnd_ != nullptr;
}

}  // namespace zorvitan
