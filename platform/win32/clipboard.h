// Places text on the Windows clipboard in its plain-text format (CF_TEXT).
#pragma once

#include <windows.h>

#include <string>

namespace zorvitan {

class ClipboardWriter {
 public:
  // The clipboard must be opened by a window, or emptying it leaves no owner
  // and SetClipboardData fails. `owner` is normally the main window; without
  // one, a hidden message-only window is created on first use.
  explicit ClipboardWriter(HWND owner = nullptr) : owner_(owner) {}
  ~ClipboardWriter();
  ClipboardWriter(const ClipboardWriter&) = delete;
  ClipboardWriter& operator=(const ClipboardWriter&) = delete;

  void SetOwner(HWND owner) { owner_ = owner; }

  // False when the clipboard could not be opened (another program holds it)
  // or refused the data. Text after a NUL byte is lost: CF_TEXT ends there.
  bool SetText(const std::string& text);

 private:
  HWND Owner();

  HWND owner_;
  HWND own_window_ = nullptr;
};

}  // namespace zorvitan
