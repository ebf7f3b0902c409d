// One run: checks the inputs, indexes the site, writes the chosen format and
// reports how many pages were found.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "engine/platform/platform.h"
#include "engine/run/front_end.h"
#include "engine/run/notices.h"
#include "engine/run/page_observer.h"
#include "engine/run/run_inputs.h"

namespace zorvitan {

// How a run ended, for front ends that need more than the notices (the
// command line's exit code).
enum class RunOutcome {
  kRefused,        // a check failed and was shown; nothing ran
  kDone,           // the map was written and the summary shown
  kMapNotWritten,  // the new map could not be written; the old one is kept
  kCancelled,      // the window was closed during the run; the old map is kept
  kNothingListed,  // a sitemap would list no page: none was written, the old one is kept
};

struct RunReport {
  RunOutcome outcome = RunOutcome::kRefused;
  RunSummary summary;  // of a finished run
};

// The last check of a run: the front end opens the site folder (as given)
// its own way. The window makes it the current folder; false refuses it.
using SiteFolderOpener = std::function<bool(const std::string& site_folder)>;

class GenerationRun {
 public:
  GenerationRun(FrontEnd& front_end, Platform& platform);

  // The whole run, for a front end with nothing to do between the checks and
  // the walk: the site folder only has to be listable.
  RunReport Generate(const RunInputs& inputs);

  // The checks, in order; the first refusal is shown and returned.
  std::optional<Refusal> Check(const RunInputs& inputs, const SiteFolderOpener& open_site_folder);
  // The run once its inputs are accepted, the site folder completed with its
  // separator: the walk, the writer and the notices.
  // `observer`, when given, hears of each page taken.
  RunReport Run(const RunInputs& inputs, PageObserver* observer = nullptr);

 private:
  std::optional<Refusal> Refuse(Refusal::Reason reason, Field field, const std::string& path = {});
  RunOutcome WalkAndWrite(const RunInputs& inputs, PageObserver* observer, RunSummary* summary);

  FrontEnd& front_end_;
  Platform& platform_;
};

}  // namespace zorvitan
