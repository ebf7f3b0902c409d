#include "cli/run_command_line.h"

#include <memory>
#include <string>
#include <vector>

#include "cli/cli_window.h"
#include "cli/console.h"
#include "cli/interrupt.h"
#include "cli/native_platform.h"
#include "cli/options.h"
#include "cli/paths.h"
#include "cli/progress_line.h"
#include "cli/usage.h"
#include "engine/foreign_names.h"
#include "engine/generation_run.h"
#include "engine/messages.h"

namespace zorvitan::cli {
namespace {

int RunGeneration(Options options, Platform& platform) {
  const bool map_resolved = MakeAbsolute(options.map_file, &options.map_file);
  const bool site_resolved = MakeAbsolute(options.site_folder, &options.site_folder);
  if (!map_resolved || !site_resolved) {
    // Refused as the window would refuse that field, map file first.
    const std::string refusal = map_resolved ? messages::kCannotOpenFolder + options.site_folder
                                             : messages::kCannotCreateFile + options.map_file;
    WriteText(Stream::kErr, platform.ProgramText(refusal) +
                                "\nzorvitan-cli: the current folder no longer exists\n");
    return kExitRefused;
  }
  const bool map_existed = !options.map_file.empty() && PathExists(options.map_file);

  ProgressLine progress(!options.quiet && IsTerminal(Stream::kErr),
                        [](const std::string& text) { WriteText(Stream::kErr, text); });
  CliWindow window(options, progress);
  GenerationRun run(window, platform);
  RemoveTemporaryMapOnInterrupt();
  const RunReport report = run.Command1_Click();
  progress.Clear();

  switch (report.outcome) {
    case RunOutcome::kInvalidInput:
      // The map probe creates a missing map file; a refused run leaves none.
      if (!map_existed && !options.map_file.empty()) RemoveIfEmptyFile(options.map_file);
      return kExitRefused;
    case RunOutcome::kDone:
      for (const std::string& folder : report.unopened_folders) {
        WriteText(Stream::kErr, platform.ProgramText(messages::kCannotOpenFolder) +
                                    PathForMessage(folder, platform) + "\n");
      }
      for (const std::string& page : report.unreadable_pages) {
        WriteText(Stream::kErr, platform.ProgramText(messages::kCannotReadFile) +
                                    PathForMessage(page, platform) + "\n");
      }
      if (report.unreadable_pages.empty() && report.unopened_folders.empty()) {
        WriteText(Stream::kErr, window.held_messages());
      }
      return kExitDone;
    case RunOutcome::kMapWriteFailed:
    case RunOutcome::kCancelled:
      if (window.errors_shown() == 0) {
        WriteText(Stream::kErr,
                  platform.ProgramText(messages::kCannotCreateFile) + options.map_file + "\n");
      }
      return kExitMapNotWritten;
  }
  return kExitMapNotWritten;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args) {
  const std::unique_ptr<Platform> platform = MakeNativePlatform();
  const CommandLine command_line = ParseCommandLine(args);
  switch (command_line.action) {
    case Action::kHelp:
      WriteText(Stream::kOut, platform->ProgramText(kHelpText));
      return kExitDone;
    case Action::kVersion:
      WriteText(Stream::kOut, kVersionText);
      return kExitDone;
    case Action::kUsageError:
      WriteText(Stream::kErr, "zorvitan-cli: " + command_line.error + "\n" + kUsageText);
      return kExitUsage;
    case Action::kRun:
      break;
  }
  return RunGeneration(command_line.options, *platform);
}

}  // namespace zorvitan::cli
