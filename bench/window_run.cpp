// The window's whole run, for the benchmark: the program's real main window and
// platform layer, the two fields filled in, the generate button pressed, and
// each message box closed as soon as it shows (as the GUI tests do it).
//
//   zorvitan-window-run.exe SITE_FOLDER MAP_FILE
//
// Prints the boxes' texts; exits with 0 when the run finished and its closing
// box was shown, 1 otherwise.
#include <windows.h>
// commctrl.h needs the types of windows.h.
#include <commctrl.h>

#include <cstdio>

#include "platform/win32/os_platform.h"
#include "tests/gui/message_box_closer.h"
#include "ui/win32/main_window.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: zorvitan-window-run SITE_FOLDER MAP_FILE\n");
    return 2;
  }
  INITCOMMONCONTROLSEX common_controls = {sizeof(common_controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common_controls);

  zorvitan::MessageBoxCloser closer;
  zorvitan::Win32Platform platform;
  {
    zorvitan::MainWindow window(GetModuleHandleA(nullptr), platform);
    if (!window.Create()) return 1;
    window.Show(SW_SHOWNORMAL);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);

    window.SetText(zorvitan::Field::kSiteFolder, argv[1]);
    window.SetText(zorvitan::Field::kMapFile, argv[2]);
    SendMessageA(window.Control(zorvitan::kGenerateButton), BM_CLICK, 0, 0);
  }  // the window goes here, as when the user closes the program

  bool finished = false;
  for (const zorvitan::ShownBox& box : closer.boxes()) {
    std::printf("%s: %s\n", box.title.c_str(), box.text.c_str());
    if (box.title == "Zorvitan") finished = true;
  }
  return finished ? 0 : 1;
}
