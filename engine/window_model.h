// The window as a generation run sees it.
//
// The Windows program implements this with its real controls, the command line
// with its arguments and streams, and the tests with a scripted fake. All text
// crossing this interface is in the system's 8-bit code page (the "native"
// encoding of the platform): on Windows the ANSI code page, on POSIX the bytes
// of UTF-8 names and files as they are.
#pragma once

#include <cstddef>
#include <string>

namespace zorvitan {

// The three text fields of the window.
enum class Field { kText1, kText2, kText3 };

// Message box styles used by the run: one OK button with an icon.
constexpr int kStyleExclamation = 0x30;  // "Błąd" messages
constexpr int kStyleInformation = 0x40;  // the closing message

// What the run is doing, for front ends that show progress.
enum class Phase { kWalking, kListing, kReading };

class WindowModel {
 public:
  virtual ~WindowModel() = default;

  // Text1 (site folder), Text2 (map file path), Text3 (file patterns).
  virtual std::string Text(Field field) = 0;
  virtual void SetText(Field field, const std::string& text) = 0;
  virtual void SetFocus(Field field) = 0;

  // Check1 "Nie dodawaj stron bez tytułu": 0 clear, anything else ticked.
  virtual int Check1() = 0;

  // Enables (true) or disables (false) the window's frames and buttons.
  virtual void EnabledX(bool flag) = 0;

  // Modal message box with one OK button; returns when it is closed.
  virtual void MsgBox(const std::string& text, int style, const std::string& title) = 0;

  // The event pump: lets the window process pending events. Returns false when
  // the user closed the window meanwhile; the run then stops where it is.
  virtual bool DoEvents() = 0;

  // Whether page texts go to the clipboard during a run. The command line
  // leaves the clipboard alone.
  virtual bool UsesClipboard() const { return true; }

  // Progress of the long phases; `total` is 0 where it is not known yet.
  virtual void ReportProgress(Phase /*phase*/, std::size_t /*done*/, std::size_t /*total*/) {}
};

}  // namespace zorvitan
