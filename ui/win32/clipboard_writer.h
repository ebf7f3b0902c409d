// Places text on the Windows clipboard in its plain-text format (CF_TEXT) and
// in Unicode (CF_UNICODETEXT), marked to stay out of the clipboard history, the cloud clipboard and
// clipboard monitors.
#pragma once

#include <windows.h>

#include <string>

#include "ui/clipboard.h"

namespace zorvitan {

class ClipboardWriter : public Clipboard {
 public:
  // The clipboard must be opened by a window, or emptying it leaves no owner
  // and SetClipboardData fails. `owner` is normally the main window; without
  // one, a hidden message-only window is created on first use.
  explicit ClipboardWriter(HWND owner = nullptr) : owner_(owner) {}
  // Text still promised is made now, so the clipboard keeps it.
  ~ClipboardWriter() override;
  ClipboardWriter(const ClipboardWriter&) = delete;
  ClipboardWriter& operator=(const ClipboardWriter&) = delete;

  void SetOwner(HWND owner);

  // Places `text` at once, and `unicode_text` (UTF-8) beside it when given.
  // False when the clipboard could not be opened (another program holds it)
  // or refused the data. Text after a NUL byte is lost: CF_TEXT ends there.
  bool SetText(const std::string& text, const std::string* unicode_text = nullptr);

  // Places the text that `source` makes, and the UTF-8 text that
  // `unicode_source` makes as CF_UNICODETEXT, but makes each only when a
  // program asks for it (delayed rendering), or when the owner window goes. While that
  // promise stands, a new source just takes the old one's place: the clipboard
  // is opened again only after the promise was kept or another program took
  // the clipboard. Programs asking meanwhile are answered now and then from
  // here. False when the clipboard could not be opened.
  bool SetTextFrom(TextSource source, TextSource unicode_source) override;

  // Makes text still promised now, so the clipboard keeps it whatever
  // happens to its owner; the source is not called again.
  void KeepPromise();

 private:
  static LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  // The owner window, made when needed, with its messages heard here first.
  HWND Owner();
  void Listen(HWND window);
  void StopListening();
  // Answers WM_RENDERFORMAT: the asking program holds the clipboard open.
  void Render(UINT format);
  // Keeps a standing promise while the owner still owns the clipboard.
  void RenderAll(HWND window);
  // Lets programs waiting for this thread in: asking for the promised text,
  // or taking the clipboard.
  void AnswerWaitingPrograms();

  HWND owner_;
  HWND own_window_ = nullptr;
  HWND listened_ = nullptr;  // the window whose procedure OwnerProc stands before
  WNDPROC listened_proc_ = nullptr;
  TextSource source_;
  TextSource unicode_source_;
  // The promised formats not made yet; while both are, a new source just
  // takes the old one's place.
  bool text_promised_ = false;
  bool unicode_promised_ = false;
  ULONGLONG last_answer_ = 0;
};

}  // namespace zorvitan
