// Closes every message box this thread opens, as soon as it appears, and keeps
// what each one showed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zorvitan {

struct ShownBox {
  std::string title;
  std::string text;
  HWND owner = nullptr;
};

class MessageBoxCloser {
 public:
  MessageBoxCloser();
  ~MessageBoxCloser();
  MessageBoxCloser(const MessageBoxCloser&) = delete;
  MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

  const std::vector<ShownBox>& boxes() const { return boxes_; }

 private:
  static LRESULT CALLBACK HookProc(int code, WPARAM wparam, LPARAM lparam);

  HHOOK hook_ = nullptr;
  std::vector<ShownBox> boxes_;
};

}  // namespace zorvitan
