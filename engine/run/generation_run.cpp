#include "engine/run/generation_run.h"

#include <utility>

#include "engine/formats/format_table.h"
#include "engine/text/text_rules.h"
#include "engine/walk/page_index.h"

namespace zorvitan {

GenerationRun::GenerationRun(FrontEnd& front_end, Platform& platform)
    : front_end_(front_end), platform_(platform) {}

RunReport GenerationRun::Generate(const RunInputs& given) {
  const auto listable = [this](const std::string& folder) {
    std::vector<DirEntry> entries;
    return platform_.ListFolder(WithSeparator(folder, platform_.Separator()), &entries);
  };
  if (Check(given, listable)) return RunReport{};
  RunInputs inputs = given;
  inputs.site_folder = WithSeparator(given.site_folder, platform_.Separator());
  return Run(inputs);
}

RunReport GenerationRun::Run(const RunInputs& inputs, PageObserver* observer) {
  RunReport report;
  report.outcome = WalkAndWrite(inputs, observer, &report.summary);
  return report;
}

RunOutcome GenerationRun::WalkAndWrite(const RunInputs& inputs, PageObserver* observer,
                                       RunSummary* summary) {
  PageList pages;
  PageIndex index(inputs, platform_, platform_, front_end_);
  // Closed during the walk or the reading: nothing is replaced.
  if (!index.IndexPages(&pages)) return RunOutcome::kCancelled;
  const std::unique_ptr<FormatWriter> writer = NewFormatWriter(inputs, platform_, front_end_);
  writer->SetPageObserver(observer);
  WriteResult written = writer->Write({pages, index.Excluded()});
  if (written.outcome == WriteResult::kStopped) return RunOutcome::kCancelled;
  if (written.outcome == WriteResult::kFailed) {
    front_end_.ShowMapNotWritten(written.failed_file);
    return RunOutcome::kMapNotWritten;
  }
  *summary = std::move(written.summary);
  summary->unopened_folders = index.UnopenedFolders();
  if (written.outcome == WriteResult::kNothingListed) {
    front_end_.ShowNothingListed(inputs.map_file, *summary);
    return RunOutcome::kNothingListed;
  }
  front_end_.ShowFinished(*summary);
  return RunOutcome::kDone;
}

std::optional<Refusal> GenerationRun::Refuse(Refusal::Reason reason, Field field,
                                             const std::string& path) {
  const Refusal refusal{reason, path, field};
  front_end_.ShowRefusal(refusal);
  return refusal;
}

std::optional<Refusal> GenerationRun::Check(const RunInputs& inputs,
                                            const SiteFolderOpener& open_site_folder) {
  if (inputs.site_folder.empty()) return Refuse(Refusal::kNoSiteFolder, Field::kSiteFolder);
  if (inputs.map_file.empty()) return Refuse(Refusal::kNoMapFile, Field::kMapFile);
  if (inputs.patterns.empty()) return Refuse(Refusal::kNoPatterns, Field::kPatterns);
  // Tested without cutting an existing map; a missing one is created.
  if (!platform_.ProbeReplaceable(inputs.map_file)) {
    return Refuse(Refusal::kMapFileNotCreated, Field::kMapFile, inputs.map_file);
  }
  if (!open_site_folder(inputs.site_folder)) {
    return Refuse(Refusal::kSiteFolderNotOpened, Field::kSiteFolder, inputs.site_folder);
  }
  return std::nullopt;
}

}  // namespace zorvitan
