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

#include "engine/notices.h"

namespace zorvitan {

// The three text fields of the window.
enum class Field { kSiteFolder, kMapFile, kPatterns };

// What the run is doing, for front ends that show progress.
enum class Phase { kWalking, kListing, kReading };

class WindowModel {
 public:
  virtual ~WindowModel() = default;

  virtual std::string Text(Field field) = 0;
  virtual void SetText(Field field, const std::string& text) = 0;
  virtual void SetFocus(Field field) = 0;

  // The check box "Nie dodawaj stron bez tytułu": leave out untitled pages.
  virtual bool SkipUntitled() = 0;

  // Enables or disables every input and button for the length of a run.
  virtual void SetInputsEnabled(bool enabled) = 0;

  // The run's notices, in the order they happen. Each front end words and
  // shows them its own way (the window in modal message boxes) and returns
  // once the user has seen them.
  virtual void ShowRefusal(const Refusal& refusal) = 0;
  virtual void ShowMapNotWritten(const std::string& map_file) = 0;
  virtual void ShowFinished(const RunSummary& summary) = 0;

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
