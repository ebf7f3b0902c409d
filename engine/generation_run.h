// One press of the generate button: checks the inputs, indexes the site,
// writes the map file and reports how many pages were found.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/file_list.h"
#include "engine/platform.h"
#include "engine/window_model.h"

namespace zorvitan {

// How a run ended, for front ends that need more than the message boxes
// (the command line's exit code).
enum class RunOutcome {
  kInvalidInput,    // a check failed; its message was shown, nothing ran
  kDone,            // the map was written and the closing message shown
  kMapWriteFailed,  // the new map could not be written; the old one is kept
  kCancelled,       // the window was closed during the run; the old map is kept
};

struct RunReport {
  RunOutcome outcome = RunOutcome::kInvalidInput;
  std::size_t pages_listed = 0;               // the count in the closing message
  std::vector<std::string> unreadable_pages;  // listed but could not be read
  std::vector<std::string> unopened_folders;  // found but could not be listed
};

// The run together with the window-level state it keeps between runs. A front
// end owns one for the life of its window.
class GenerationRun {
 public:
  GenerationRun(WindowModel& window, Platform& platform);

  // The Click of Command1.
  RunReport Command1_Click();

  // Input validation; shows the message and moves the focus when it fails.
  bool SprawdzDane();
  // Tests that the map file can be written, without cutting an existing one.
  bool TworzPlik();
  // Makes the site folder the current drive and directory: -1 success, 0 failure.
  std::int32_t CzytajKatalog();

  // The page list: full paths of the pages, in the order they were found.
  std::vector<std::string> List1;
  // The hidden file list control: one folder's matching files.
  FileList File1;
  // The folder of the last map entry written.
  std::string LastFolder;

 private:
  std::string ProblemsText(const RunReport& report) const;

  WindowModel& window_;
  Platform& platform_;
};

}  // namespace zorvitan
