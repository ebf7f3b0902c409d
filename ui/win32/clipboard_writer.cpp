#include "ui/win32/clipboard_writer.h"

#include <cstring>
#include <utility>

#include "platform/win32/code_page.h"

namespace zorvitan {
namespace {

const char kOwnerClassName[] = "ZorvitanClipboardOwner";
const char kWriterProperty[] = "ZorvitanClipboardWriter";
// How long a program asking for the promised text may wait for this thread.
constexpr ULONGLONG kAnswerEveryMs = 10;

bool RegisterOwnerClass(HINSTANCE instance) {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = instance;
  window_class.lpszClassName = kOwnerClassName;
  return RegisterClassA(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// A global memory block holding `size` bytes and a NUL.
HGLOBAL CopyToGlobal(const void* data, std::size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size + 1);
  if (memory == nullptr) return nullptr;
  char* target = static_cast<char*>(GlobalLock(memory));
  if (target == nullptr) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(target, data, size);
  target[size] = '\0';
  GlobalUnlock(memory);
  return memory;
}

// On success the clipboard owns the memory; otherwise it is still ours.
void PlaceOrFree(UINT format, HGLOBAL memory) {
  if (memory != nullptr && SetClipboardData(format, memory) == nullptr) GlobalFree(memory);
}

// `text` up to its first NUL, as CF_TEXT holds it.
HGLOBAL TextMemory(const std::string& text) {
  return CopyToGlobal(text.data(), strnlen(text.c_str(), text.size()));
}

// UTF-8 text as CF_UNICODETEXT holds it: UTF-16 ending in a NUL character.
HGLOBAL UnicodeMemory(const std::string& utf8) {
  const std::wstring wide = ToWide(utf8, CP_UTF8) + L'\0';
  return CopyToGlobal(wide.data(), wide.size() * sizeof(wchar_t));
}

// A run places thousands of page texts: none of them belongs in the
// clipboard history, the cloud clipboard or a clipboard monitor. Windows
// reads these registered formats; each holds a DWORD, 0 meaning "no".
void MarkPrivate() {
  static const UINT kFormats[] = {
      RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing"),
      RegisterClipboardFormatA("CanIncludeInClipboardHistory"),
      RegisterClipboardFormatA("CanUploadToCloudClipboard"),
  };
  const DWORD no = 0;
  for (UINT format : kFormats) {
    if (format != 0) PlaceOrFree(format, CopyToGlobal(&no, sizeof(no)));
  }
}

}  // namespace

ClipboardWriter::~ClipboardWriter() {
  KeepPromise();
  StopListening();
  // The data placed on the clipboard stays there after its owner is gone.
  if (own_window_ != nullptr) DestroyWindow(own_window_);
}

void ClipboardWriter::SetOwner(HWND owner) {
  if (listened_ != nullptr && listened_ != owner) {
    if (text_promised_ || unicode_promised_) RenderAll(listened_);
    StopListening();
  }
  owner_ = owner;
}

HWND ClipboardWriter::Owner() {
  HWND owner = owner_;
  if (owner == nullptr) {
    if (own_window_ == nullptr) {
      HINSTANCE instance = GetModuleHandleA(nullptr);
      if (RegisterOwnerClass(instance)) {
        own_window_ = CreateWindowExA(0, kOwnerClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      instance, nullptr);
      }
    }
    owner = own_window_;
  }
  if (owner != nullptr && owner != listened_) Listen(owner);
  return owner;
}

// The owner's procedure is subclassed: the render requests go to the owner
// window, whatever window that is.
void ClipboardWriter::Listen(HWND window) {
  StopListening();
  if (!SetPropA(window, kWriterProperty, this)) return;
  const LONG_PTR previous =
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OwnerProc));
  if (previous == 0) {  // not subclassed: every window has a procedure
    RemovePropA(window, kWriterProperty);
    return;
  }
  listened_ = window;
  listened_proc_ = reinterpret_cast<WNDPROC>(previous);
}

void ClipboardWriter::StopListening() {
  if (listened_ == nullptr) return;
  if (GetWindowLongPtrA(listened_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&OwnerProc)) {
    SetWindowLongPtrA(listened_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listened_proc_));
  }
  RemovePropA(listened_, kWriterProperty);
  listened_ = nullptr;
  listened_proc_ = nullptr;
}

LRESULT CALLBACK ClipboardWriter::OwnerProc(HWND window, UINT message, WPARAM wparam,
                                            LPARAM lparam) {
  auto* writer = static_cast<ClipboardWriter*>(GetPropA(window, kWriterProperty));
  if (writer == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  const WNDPROC next = writer->listened_proc_;
  switch (message) {
    case WM_RENDERFORMAT:
      if (wparam == CF_TEXT || wparam == CF_UNICODETEXT) {
        writer->Render(static_cast<UINT>(wparam));
        return 0;
      }
      break;
    case WM_RENDERALLFORMATS:
      writer->RenderAll(window);
      return 0;
    case WM_DESTROYCLIPBOARD:
      // The clipboard was emptied: by us or by another program.
      writer->text_promised_ = false;
      writer->unicode_promised_ = false;
      break;
    case WM_NCDESTROY:
      writer->StopListening();
      if (writer->own_window_ == window) writer->own_window_ = nullptr;
      break;
  }
  return CallWindowProcA(next, window, message, wparam, lparam);
}

void ClipboardWriter::Render(UINT format) {
  // From now on the clipboard holds this format itself.
  std::string text;
  if (format == CF_TEXT) {
    text_promised_ = false;
    if (source_ && source_(&text)) PlaceOrFree(CF_TEXT, TextMemory(text));
  } else {
    unicode_promised_ = false;
    if (unicode_source_ && unicode_source_(&text)) PlaceOrFree(CF_UNICODETEXT, UnicodeMemory(text));
  }
}

// The owner window is going (or this writer): the promise is kept now or
// never, as long as the clipboard is still ours.
void ClipboardWriter::RenderAll(HWND window) {
  if ((!text_promised_ && !unicode_promised_) || !OpenClipboard(window)) return;
  if (GetClipboardOwner() == window) {
    if (text_promised_) Render(CF_TEXT);
    if (unicode_promised_) Render(CF_UNICODETEXT);
  }
  CloseClipboard();
}

void ClipboardWriter::KeepPromise() {
  if ((text_promised_ || unicode_promised_) && listened_ != nullptr) RenderAll(listened_);
  source_ = nullptr;
  unicode_source_ = nullptr;
}

void ClipboardWriter::AnswerWaitingPrograms() {
  const ULONGLONG now = GetTickCount64();
  if (now - last_answer_ < kAnswerEveryMs) return;
  last_answer_ = now;
  // Only messages sent from other threads: nothing the user typed or clicked.
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

bool ClipboardWriter::SetText(const std::string& text, const std::string* unicode_text) {
  HWND owner = Owner();
  if (owner == nullptr || !OpenClipboard(owner)) return false;
  bool placed = false;
  if (EmptyClipboard()) {
    HGLOBAL memory = TextMemory(text);
    placed = memory != nullptr && SetClipboardData(CF_TEXT, memory) != nullptr;
    if (memory != nullptr && !placed) GlobalFree(memory);
    if (placed && unicode_text != nullptr)
      PlaceOrFree(CF_UNICODETEXT, UnicodeMemory(*unicode_text));
    if (placed) MarkPrivate();
  }
  CloseClipboard();
  return placed;
}

bool ClipboardWriter::SetTextFrom(TextSource source, TextSource unicode_source) {
  // Whoever asked while the last text stood gets that text.
  AnswerWaitingPrograms();
  source_ = std::move(source);
  unicode_source_ = std::move(unicode_source);
  if (text_promised_ && unicode_promised_) return true;
  HWND owner = Owner();
  if (owner != nullptr && owner != listened_) {
    // Nobody would hear the requests: the text is placed now.
    std::string text, unicode_text;
    if (!source_(&text)) return true;
    return SetText(text,
                   unicode_source_ && unicode_source_(&unicode_text) ? &unicode_text : nullptr);
  }
  if (owner == nullptr || !OpenClipboard(owner)) return false;
  const bool emptied = EmptyClipboard() != FALSE;
  if (emptied) {
    // The promises; NULL is their only answer.
    SetClipboardData(CF_TEXT, nullptr);
    if (unicode_source_) SetClipboardData(CF_UNICODETEXT, nullptr);
    MarkPrivate();
  }
  CloseClipboard();
  text_promised_ = emptied;
  unicode_promised_ = emptied && unicode_source_;
  return emptied;
}

}  // namespace zorvitan
