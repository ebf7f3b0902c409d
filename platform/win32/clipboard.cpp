#include "platform/win32/clipboard.h"

#include <cstring>

namespace zorvitan {
namespace {

const char kOwnerClassName[] = "ZorvitanClipboardOwner";

bool RegisterOwnerClass(HINSTANCE instance) {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = instance;
  window_class.lpszClassName = kOwnerClassName;
  return RegisterClassA(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// A global memory block holding `text` up to its first NUL, NUL-terminated.
HGLOBAL CopyToGlobal(const std::string& text) {
  const std::size_t length = strnlen(text.c_str(), text.size());
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, length + 1);
  if (memory == nullptr) return nullptr;
  char* target = static_cast<char*>(GlobalLock(memory));
  if (target == nullptr) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(target, text.data(), length);
  target[length] = '\0';
  GlobalUnlock(memory);
  return memory;
}

}  // namespace

ClipboardWriter::~ClipboardWriter() {
  // The data placed on the clipboard stays there after its owner is gone.
  if (own_window_ != nullptr) DestroyWindow(own_window_);
}

HWND ClipboardWriter::Owner() {
  if (owner_ != nullptr) return owner_;
  if (own_window_ == nullptr) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (RegisterOwnerClass(instance)) {
      own_window_ = CreateWindowExA(0, kOwnerClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    instance, nullptr);
    }
  }
  return own_window_;
}

bool ClipboardWriter::SetText(const std::string& text) {
  HWND owner = Owner();
  if (owner == nullptr || !OpenClipboard(owner)) return false;
  bool placed = false;
  if (EmptyClipboard()) {
    HGLOBAL memory = CopyToGlobal(text);
    // On success the clipboard owns the memory; otherwise it is still ours.
    if (memory != nullptr) {
      placed = SetClipboardData(CF_TEXT, memory) != nullptr;
      if (!placed) GlobalFree(memory);
    }
  }
  CloseClipboard();
  return placed;
}

}  // namespace zorvitan
