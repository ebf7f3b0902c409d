// Message loops that give the main window dialog-box keyboard handling
// (Tab, Esc, Enter) through IsDialogMessage.
#pragma once

#include <windows.h>

namespace zorvitan {

// Runs until WM_QUIT and returns its exit code.
int RunMessageLoop(HWND dialog);

// Handles the messages already waiting, then returns. Returns false when it
// met WM_QUIT, which it posts again so the outer loop still ends.
bool PumpPendingMessages(HWND dialog);

}  // namespace zorvitan
