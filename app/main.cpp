// Program start: creates frmMain, shows it and runs its message loop until the
// window is closed.
#include <windows.h>

#include <commctrl.h>

#include "platform/win32/win32_platform.h"
#include "ui/win32/frm_main.h"
#include "ui/win32/message_loop.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  INITCOMMONCONTROLSEX common_controls = {sizeof(common_controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common_controls);

  zorvitan::Win32Platform platform;
  zorvitan::FrmMain frm_main(instance, platform);
  if (!frm_main.Create()) return 1;
  // Page texts go to the clipboard under the main window's name.
  platform.SetClipboardOwner(frm_main.hwnd());
  frm_main.Show(show_command);
  return zorvitan::RunMessageLoop(frm_main.hwnd());
}
