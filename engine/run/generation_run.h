// One press of the generate button: checks the inputs, indexes the site,
// writes the map file and reports how many pages were found.
#pragma once

#include "engine/platform/platform.h"
#include "engine/run/front_end.h"
#include "engine/run/notices.h"
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

class GenerationRun {
 public:
  GenerationRun(FrontEnd& front_end, Platform& platform);

  // The generate button's whole run, from inputs read once.
  RunReport Generate(const RunInputs& inputs);

 private:
  // Checks the inputs in order; shows the first refusal and moves the focus
  // to its field.
  bool CheckInputs(const RunInputs& inputs);
  bool Refuse(Refusal::Reason reason, Field field, const std::string& path = {});
  // The run once its inputs are accepted: the walk, the writer and the
  // notices, which come before the inputs are enabled again.
  RunOutcome WalkAndWrite(const RunInputs& inputs, RunSummary* summary);

  FrontEnd& front_end_;
  Platform& platform_;
};

}  // namespace zorvitan
