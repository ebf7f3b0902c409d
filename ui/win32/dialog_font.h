// The platform's dialog look: the system message font on every control.
#pragma once

#include <windows.h>

namespace zorvitan {

// A font made from the system message font (NONCLIENTMETRICS); the caller
// deletes it. Falls back to DEFAULT_GUI_FONT, which must not be deleted, so
// `owned` says which it is.
HFONT CreateMessageFont(bool* owned);

// Sends the font to every descendant of `parent`.
void ApplyFontToChildren(HWND parent, HFONT font);

}  // namespace zorvitan
