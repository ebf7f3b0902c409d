#include "ui/win32/message_loop.h"

namespace zorvitan {
namespace {

void Deliver(HWND dialog, MSG* msg) {
  if (dialog != nullptr && IsWindow(dialog) && IsDialogMessageA(dialog, msg)) return;
  TranslateMessage(msg);
  DispatchMessageA(msg);
}

}  // namespace

int RunMessageLoop(HWND dialog) {
  MSG msg;
  BOOL got;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) return -1;
    Deliver(dialog, &msg);
  }
  return static_cast<int>(msg.wParam);
}

bool PumpPendingMessages(HWND dialog) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    Deliver(dialog, &msg);
  }
  return true;
}

}  // namespace zorvitan
