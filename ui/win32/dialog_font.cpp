#include "ui/win32/dialog_font.h"

namespace zorvitan {

HFONT CreateMessageFont(bool* owned) {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    if (HFONT font = CreateFontIndirectA(&metrics.lfMessageFont)) {
      *owned = true;
      return font;
    }
  }
  *owned = false;
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

namespace {

BOOL CALLBACK SetFontProc(HWND child, LPARAM font) {
  SendMessageA(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
  return TRUE;
}

}  // namespace

// EnumChildWindows visits grandchildren too, so the frames' contents get it.
void ApplyFontToChildren(HWND parent, HFONT font) {
  EnumChildWindows(parent, SetFontProc, reinterpret_cast<LPARAM>(font));
}

}  // namespace zorvitan
