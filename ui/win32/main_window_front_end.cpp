// The main window as the front end of a generation run.
#include "engine/run/notices.h"
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

std::string MainWindow::Text(Field field) const {
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

RunInputs MainWindow::Inputs() {
  RunInputs inputs;
  inputs.site_folder = Text(Field::kSiteFolder);
  inputs.map_file = Text(Field::kMapFile);
  inputs.patterns = Text(Field::kPatterns);
  inputs.skip_untitled = SkipUntitled();
  return inputs;
}

void MainWindow::ShowSiteFolder(const std::string& site_folder) {
  SetText(Field::kSiteFolder, site_folder);
}

void MainWindow::SetFocus(Field field) {
  HWND edit = Control(FieldControl(field));
  saved_focus_ = edit;
  ::SetFocus(edit);
}

bool MainWindow::SkipUntitled() const {
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

void MainWindow::ShowNothingListed(const std::string& map_file, const RunSummary& /*summary*/) {
  actions_.message_box(hwnd_, NothingListedText(map_file, platform_), ErrorTitle(platform_),
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

// Asked for every page: the window pumps its messages at most every
// kPumpInterval, which keeps it responsive while a peek per small page would
// cost more than reading it.
bool MainWindow::KeepGoing() {
  constexpr ULONGLONG kPumpInterval = 20;  // milliseconds
  const ULONGLONG now = GetTickCount64();
  if (now - last_pump_ >= kPumpInterval) {
    last_pump_ = now;
    if (!PumpPendingMessages(hwnd_)) return false;
  }
  return !close_requested_ && hwnd_ != nullptr;
}

}  // namespace zorvitan
