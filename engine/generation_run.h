// One press of the generate button: checks the inputs, indexes the site,
// writes the map file and reports how many pages were found.
#pragma once

#include <string>
#include <vector>

#include "engine/exclusions.h"
#include "engine/html5_options.h"
#include "engine/notices.h"
#include "engine/page_filter.h"
#include "engine/page_list.h"
#include "engine/platform.h"
#include "engine/sitemap_options.h"
#include "engine/window_model.h"

namespace zorvitan {

// How a run ended, for front ends that need more than the notices (the
// command line's exit code).
enum class RunOutcome {
  kRefused,        // a check failed and was shown; nothing ran
  kDone,           // the map was written and the summary shown
  kMapNotWritten,  // the new map could not be written; the old one is kept
  kCancelled,      // the window was closed during the run; the old map is kept
};

struct RunReport {
  RunOutcome outcome = RunOutcome::kRefused;
  RunSummary summary;  // of a finished run
};

// What only the command line chooses; the window leaves them unset.
struct RunChoices {
  const Exclusions* exclusions = nullptr;   // pages and folders left out of the walk
  const SitemapOptions* sitemap = nullptr;  // a machine sitemap instead of the HTML map
  // The encoding of pages that declare none and are not UTF-8, by its name;
  // "" for the default (engine/text_conversion.h).
  std::string page_encoding;
  const Html5Options* html5 = nullptr;  // a complete html5 page instead of the HTML map
};

// The run together with the window-level state it keeps between runs. A front
// end owns one for the life of its window.
class GenerationRun {
 public:
  GenerationRun(WindowModel& window, Platform& platform, RunChoices choices = {});

  // The generate button's whole run.
  RunReport Generate();

  // The page list: full paths of the pages, in the order they were found.
  PageList page_list;
  // Which files are pages.
  PageFilter page_filter;
  // The folder of the last map entry written; the window empties it when it loads.
  std::string last_folder;

 private:
  // Checks the inputs in order; shows the first refusal and moves the focus
  // to its field.
  bool CheckInputs();
  // Tests that the map file can be written, without cutting an existing one.
  bool ProbeMapFile();
  // Makes the site folder the current drive and directory.
  bool EnterSiteFolder();

  bool Refuse(Refusal::Reason reason, Field field, const std::string& path = {});
  // Writes the map (or sitemap) from the page list into the summary; on
  // failure, names the file that could not be written.
  bool WriteMap(RunSummary* summary, std::string* failed_file);

  WindowModel& window_;
  Platform& platform_;
  RunChoices choices_;
};

}  // namespace zorvitan
