// Text conversions between the pickers and the platform's dialog buffers. Kept free of
// <windows.h> so they can be tested on any platform.
#pragma once

#include <string>

namespace zorvitan {

// Turns a "shown text|pattern|shown text|pattern" list into the dialog's NUL-separated
// form, in place: a closing "|" is added when missing, then every "|" becomes a NUL.
// The string's own terminating NUL then closes the list with the second NUL.
void ConvertFilterToDialogForm(std::string& filter);

// The text before the first NUL; the whole text when it holds none.
std::string CutAtFirstNul(const std::string& buffer);

// What a platform text buffer holds once the dialog has written into it: the text the
// dialog wrote up to its NUL, without the blank padding the buffer was created with.
std::string TextFromDialogBuffer(const std::string& buffer);

}  // namespace zorvitan
