#include "ui/win32/frame_container.h"

#include <commctrl.h>

namespace zorvitan {
namespace {

constexpr UINT_PTR kSubclassId = 1;

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                           DWORD_PTR) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return SendMessageA(GetAncestor(frame, GA_ROOT), message, wparam, lparam);
    case WM_ERASEBKGND: {
      // A group box leaves its inside unpainted; as a container it must fill it.
      RECT inside;
      GetClientRect(frame, &inside);
      FillRect(reinterpret_cast<HDC>(wparam), &inside, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(frame, FrameProc, kSubclassId);
      break;
  }
  return DefSubclassProc(frame, message, wparam, lparam);
}

}  // namespace

bool MakeFrameContainer(HWND frame) {
  return SetWindowSubclass(frame, FrameProc, kSubclassId, 0) != FALSE;
}

}  // namespace zorvitan
