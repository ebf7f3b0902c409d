// The main window: the click handlers of the five buttons.
#include "platform/win32/code_page.h"
#include "ui/win32/main_window.h"

#ifndef ZORVITAN_WEB_ADDRESS
#error "ZORVITAN_WEB_ADDRESS is set when configuring the build"
#endif

namespace zorvitan {
namespace {

constexpr char kWebAddress[] = ZORVITAN_WEB_ADDRESS;
constexpr char kFolderPickerTitle[] = "Wybierz katalog w którym trzymasz swoją stronę WWW";
constexpr char kSavePickerTitle[] = "Podaj nazwę pliku z mapą serwisu";
constexpr char kSavePickerFilter[] = "*.htm|*htm|*.html|*.html|*.php|*.php";

}  // namespace

void MainWindow::OnGenerate() {
  running_ = true;
  last_pump_ = 0;  // the first question of a run pumps
  RunFromWindow(*this, platform_, Inputs());
  running_ = false;
  if (close_requested_) {
    DestroyWindow(hwnd_);
    return;
  }
  RestoreFocusAfterRun();
}

// Disabling the focused button left the focus nowhere; give it back to the
// generate button unless the run already put it in a field.
void MainWindow::RestoreFocusAfterRun() {
  HWND focus = GetFocus();
  if (focus != nullptr && IsChild(hwnd_, focus)) return;
  saved_focus_ = Control(kGenerateButton);
  if (GetActiveWindow() == hwnd_) ::SetFocus(saved_focus_);
}

void MainWindow::OnChooseMapFile() {
  // A fresh copy every time: the picker converts the filter in place.
  std::string filter = kSavePickerFilter;
  const std::string path = actions_.show_save_dialog(hwnd_, filter, Utf8ToAnsi(kSavePickerTitle),
                                                     Text(Field::kSiteFolder));
  if (!path.empty()) SetText(Field::kMapFile, path);
  SetFocus(Field::kMapFile);
}

void MainWindow::OnChooseSiteFolder() {
  // A cancelled browser empties the field too.
  SetText(Field::kSiteFolder, actions_.browse_for_folder(hwnd_, Utf8ToAnsi(kFolderPickerTitle)));
  SetFocus(Field::kSiteFolder);
}

void MainWindow::OnOpenWebPage() { actions_.open_web_page(hwnd_, kWebAddress); }

void MainWindow::OnExit() { DestroyWindow(hwnd_); }

}  // namespace zorvitan
