#include "tests/gui/message_box_closer.h"

#include <cstring>

namespace zorvitan {
namespace {

MessageBoxCloser* active_closer = nullptr;

std::string WindowText(HWND window) {
  char buffer[1024] = {};
  GetWindowTextA(window, buffer, sizeof(buffer));
  return buffer;
}

}  // namespace

MessageBoxCloser::MessageBoxCloser() {
  active_closer = this;
  hook_ = SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
}

MessageBoxCloser::~MessageBoxCloser() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  active_closer = nullptr;
}

LRESULT CALLBACK MessageBoxCloser::HookProc(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE && active_closer != nullptr) {
    HWND box = reinterpret_cast<HWND>(wparam);
    char class_name[16] = {};
    GetClassNameA(box, class_name, sizeof(class_name));
    if (std::strcmp(class_name, "#32770") == 0) {
      ShownBox shown;
      shown.title = WindowText(box);
      shown.text = WindowText(GetDlgItem(box, 0xFFFF));  // the message's static control
      shown.owner = GetWindow(box, GW_OWNER);
      active_closer->boxes_.push_back(shown);
      PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace zorvitan
