// find_window CLASS SECONDS: waits up to SECONDS for a visible top-level window of CLASS, prints
// its caption, asks it to close and exits with 0; exits with 1 when none appears in time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: find_window CLASS SECONDS\n");
    return 2;
  }
  const DWORD deadline = GetTickCount() + 1000 * static_cast<DWORD>(std::atoi(argv[2]));
  do {
    HWND window = FindWindowA(argv[1], nullptr);
    if (window != nullptr && IsWindowVisible(window)) {
      char caption[256] = "";
      GetWindowTextA(window, caption, sizeof(caption));
      std::printf("%s\n", caption);
      PostMessageA(window, WM_CLOSE, 0, 0);
      return 0;
    }
    Sleep(100);
  } while (static_cast<LONG>(GetTickCount() - deadline) < 0);
  std::fprintf(stderr, "find_window: no visible window of class %s\n", argv[1]);
  return 1;
}
