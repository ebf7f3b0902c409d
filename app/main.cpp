// Program start: creates the main window, shows it and runs its message loop
// until the window is closed.
#include <windows.h>
// commctrl.h needs the types of windows.h.
#include <commctrl.h>

#include "platform/win32/os_platform.h"
#include "ui/win32/main_window.h"
#include "ui/win32/message_loop.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  INITCOMMONCONTROLSEX common_controls = {sizeof(common_controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common_controls);

  zorvitan::Win32Platform platform;
  zorvitan::MainWindow main_window(instance, platform);
  if (!main_window.Create()) return 1;
  main_window.Show(show_command);
  return zorvitan::RunMessageLoop(main_window.hwnd());
}
