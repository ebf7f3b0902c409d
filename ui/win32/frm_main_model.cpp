// frmMain as the window model of a generation run.
#include "ui/win32/frm_main.h"
#include "ui/win32/message_loop.h"

namespace zorvitan {
namespace {

ControlId FieldControl(Field field) {
  switch (field) {
    case Field::kText1: return kText1;
    case Field::kText2: return kText2;
    case Field::kText3: break;
  }
  return kText3;
}

}  // namespace

std::string FrmMain::Text(Field field) {
  HWND edit = Control(FieldControl(field));
  if (edit == nullptr) return std::string();
  const int length = GetWindowTextLengthA(edit);
  if (length <= 0) return std::string();
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(edit, &text[0], length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void FrmMain::SetText(Field field, const std::string& text) {
  SetWindowTextA(Control(FieldControl(field)), text.c_str());
}

void FrmMain::SetFocus(Field field) {
  HWND edit = Control(FieldControl(field));
  saved_focus_ = edit;
  ::SetFocus(edit);
}

int FrmMain::Check1() {
  return SendMessageA(Control(kCheck1), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

// The text boxes and the check box follow their frames: a disabled parent
// keeps mouse and keyboard away from its children.
void FrmMain::EnabledX(bool flag) {
  for (ControlId id : kEnabledXOrder) EnableWindow(Control(id), flag ? TRUE : FALSE);
}

// The run hands its texts over in the ANSI code page already.
void FrmMain::MsgBox(const std::string& text, int style, const std::string& title) {
  actions_.message_box(hwnd_, text, title, static_cast<UINT>(style));
}

bool FrmMain::DoEvents() {
  const bool no_quit = PumpPendingMessages(hwnd_);
  return no_quit && !close_requested_ && hwnd_ != nullptr;
}

}  // namespace zorvitan
