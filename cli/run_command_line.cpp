#include "cli/run_command_line.h"

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli/console.h"
#include "cli/console_front_end.h"
#include "cli/console_messages.h"
#include "cli/interrupt.h"
#include "cli/native_platform.h"
#include "cli/options.h"
#include "cli/paths.h"
#include "cli/progress_line.h"
#include "cli/template_file.h"
#include "cli/translation.h"
#include "cli/usage.h"
#include "engine/run/generation_run.h"
#include "platform/temporary_files.h"

namespace zorvitan::cli {
namespace {

// The --report file of the formats that write one.
std::string* ReportFileOf(FormatOptions* format) {
  if (auto* sitemap = std::get_if<SitemapOptions>(format)) return &sitemap->report_file;
  if (auto* llms = std::get_if<LlmsOptions>(format)) return &llms->report_file;
  return nullptr;
}

int RunGeneration(const Options& options, Platform& platform, PagesReadHook on_pages_read) {
  RunInputs inputs = options.run;
  const bool map_resolved = MakeAbsolute(inputs.map_file, &inputs.map_file);
  const bool site_resolved = MakeAbsolute(inputs.site_folder, &inputs.site_folder);
  if (!map_resolved || !site_resolved) {
    // Refused as the window would refuse that field, map file first.
    const Refusal refusal = map_resolved
                                ? Refusal{Refusal::kSiteFolderNotOpened, inputs.site_folder}
                                : Refusal{Refusal::kMapFileNotCreated, inputs.map_file};
    WriteText(Stream::kErr, AsLines(RefusalMessage(refusal)) +
                                Translate("zorvitan-cli: the current folder no longer exists\n"));
    return kExitRefused;
  }
  const bool map_existed = !inputs.map_file.empty() && PathExists(inputs.map_file);
  if (auto* sitemap = std::get_if<SitemapOptions>(&inputs.format)) {
    sitemap->now = static_cast<std::int64_t>(std::time(nullptr));
  }
  // Taken from the current folder, as the map file's path is.
  std::string* report_file = ReportFileOf(&inputs.format);
  const std::string report_given = report_file != nullptr ? *report_file : std::string();
  if (!report_given.empty() && !MakeAbsolute(report_given, report_file)) {
    WriteText(Stream::kErr, CannotCreateMessage(report_given) + "\n");
    return kExitMapNotWritten;
  }

  ProgressLine progress(!options.quiet && IsTerminal(Stream::kErr),
                        [](const std::string& text) { WriteText(Stream::kErr, text); });
  ConsoleFrontEnd front_end(platform, progress, std::move(on_pages_read));
  RemoveTemporaryFilesOnInterrupt();
  // The map probe creates a missing map file. A run that writes no map leaves
  // none, an interrupted one included: whatever is there then is this run's.
  const bool remove_new_map = !map_existed && !inputs.map_file.empty();
  if (remove_new_map) RememberTemporaryFile(inputs.map_file);
  const RunReport report = GenerationRun(front_end, platform).Generate(inputs);
  if (remove_new_map) {
    ForgetTemporaryFile(inputs.map_file);
    if (report.outcome != RunOutcome::kDone) RemoveIfEmptyFile(inputs.map_file);
  }
  progress.Clear();

  switch (report.outcome) {
    case RunOutcome::kRefused:
      return kExitRefused;
    case RunOutcome::kDone:
      return kExitDone;
    case RunOutcome::kMapNotWritten:
    case RunOutcome::kNothingListed:  // the front end said why
    case RunOutcome::kCancelled:      // the console never stops a run
      return kExitMapNotWritten;
  }
  return kExitMapNotWritten;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, PagesReadHook on_pages_read) {
  const std::unique_ptr<Platform> platform = MakeNativePlatform();
  const CommandLine command_line = ParseCommandLine(args);
  switch (command_line.action) {
    case Action::kHelp:
      WriteText(Stream::kOut, HelpText());
      return kExitDone;
    case Action::kVersion:
      WriteText(Stream::kOut, kVersionText);
      return kExitDone;
    case Action::kUsageError:
      WriteText(Stream::kErr, "zorvitan-cli: " + command_line.error + "\n" + UsageText());
      return kExitUsage;
    case Action::kRun:
      break;
  }
  Options options = command_line.options;
  std::string error;
  if (!options.template_file.empty() &&
      !LoadTemplate(*platform, options.template_file,
                    &std::get<Html5Options>(options.run.format).template_text, &error)) {
    WriteText(Stream::kErr, "zorvitan-cli: " + error + "\n");
    return kExitUsage;
  }
  return RunGeneration(options, *platform, std::move(on_pages_read));
}

}  // namespace zorvitan::cli
