#include "ui/window_run.h"

#include <optional>

#include "engine/text/text_rules.h"
#include "ui/clipboard_feeder.h"

namespace zorvitan {

RunReport RunFromWindow(RunWindow& window, Platform& platform, const RunInputs& given) {
  GenerationRun run(window, platform);
  // Changing the drive, then the folder, is the check: a failed folder step
  // leaves the drive changed.
  const auto make_current = [&platform](const std::string& folder) {
    return platform.SetCurrentFolder(folder);
  };
  if (const auto refusal = run.Check(given, make_current)) {
    window.SetFocus(refusal->field);
    return RunReport{};
  }
  window.SetInputsEnabled(false);
  RunInputs inputs = given;
  inputs.site_folder = WithSeparator(given.site_folder, platform.Separator());
  if (inputs.site_folder != given.site_folder) window.ShowSiteFolder(inputs.site_folder);
  // The notices are shown before the inputs come back.
  std::optional<ClipboardFeeder> feeder;
  if (Clipboard* clipboard = window.WindowClipboard()) {
    feeder.emplace(*clipboard, platform, inputs.page_encoding);
  }
  const RunReport report = run.Run(inputs, feeder ? &*feeder : nullptr);
  window.SetInputsEnabled(true);
  return report;
}

}  // namespace zorvitan
