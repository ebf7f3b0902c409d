// The front end as a generation run sees it: the window, or the command line.
//
// The run reads its inputs once (engine/run/run_inputs.h); through this it only
// tells the front end what happens. Text is in the system's 8-bit code page.
#pragma once

#include <string>

#include "engine/run/notices.h"
#include "engine/run/run_progress.h"

namespace zorvitan {

class FrontEnd : public RunProgress {
 public:
  // The run's notices, in the order they happen. Each front end words and
  // shows them its own way (the window in modal message boxes) and returns
  // once the user has seen them.
  virtual void ShowRefusal(const Refusal& refusal) = 0;
  virtual void ShowMapNotWritten(const std::string& map_file) = 0;
  virtual void ShowFinished(const RunSummary& summary) = 0;
  // A sitemap had no page left to list, so none was written; the summary
  // says why (the pages left out by reason).
  virtual void ShowNothingListed(const std::string& map_file, const RunSummary& summary) = 0;
};

}  // namespace zorvitan
