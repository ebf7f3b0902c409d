// The generate button's run as the window does it, around the engine's run:
// it puts the focus in the field a refusal is about, makes the site folder the
// current drive and directory (a relative map file is then written there),
// shows the folder completed with its separator, keeps every input disabled
// while the run works and hands each page to the clipboard. Portable, so the engine tests drive it
// too.
#pragma once

#include <string>

#include "engine/platform/platform.h"
#include "engine/run/front_end.h"
#include "engine/run/generation_run.h"
#include "engine/run/run_inputs.h"
#include "ui/clipboard.h"

namespace zorvitan {

// The window's own chores, beside what every front end is told.
class RunWindow : public FrontEnd {
 public:
  virtual void SetFocus(Field field) = 0;
  virtual void SetInputsEnabled(bool enabled) = 0;
  virtual void ShowSiteFolder(const std::string& site_folder) = 0;
  // Where each page's text goes in turn during a run; none when null.
  virtual Clipboard* WindowClipboard() = 0;
};

RunReport RunFromWindow(RunWindow& window, Platform& platform, const RunInputs& inputs);

}  // namespace zorvitan
