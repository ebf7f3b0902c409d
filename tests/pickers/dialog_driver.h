// Helpers that let a test drive the platform's modal dialogs from the thread that
// shows them: a thread timer ticks inside the dialog's own message loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace zorvitan {

// Calls `step` every 50 ms while this object lives, until it returns true. After
// `give_up_ms` it stops calling `step` and cancels every dialog of the thread so a
// broken test cannot hang; timed_out() then says so. One driver at a time.
class ModalDriver {
 public:
  explicit ModalDriver(std::function<bool()> step, UINT give_up_ms = 15000);
  ~ModalDriver();
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  bool finished() const { return finished_; }
  bool timed_out() const { return timed_out_; }

 private:
  static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
  void Tick();

  std::function<bool()> step_;
  UINT ticks_left_;
  UINT_PTR timer_ = 0;
  bool finished_ = false;
  bool timed_out_ = false;
};

// A visible plain window to own the dialogs, destroyed with the object.
class OwnerWindow {
 public:
  OwnerWindow();
  ~OwnerWindow();
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// The visible dialog ("#32770") of this thread whose owner is `owner`, or null.
HWND FindDialogOwnedBy(HWND owner);

std::string WindowText(HWND window);
std::vector<std::string> ChildTextsOfClass(HWND parent, const char* class_name);
void PressButton(HWND dialog, int id);

// The save dialog's file-name field: the edit inside combo cmb13, else edt1.
HWND FileNameEdit(HWND save_dialog);
// Replaces the field's text as a user would: select all, then type the characters.
void TypeInto(HWND edit, const std::string& ansi_text);

// A fresh folder under the temp folder (long path, trailing backslash), removed with
// its files when the object goes.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string WriteFile(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);

// UTF-8 (this source) to the ANSI code page the "A" functions take.
std::string Ansi(const std::string& utf8);

}  // namespace zorvitan
