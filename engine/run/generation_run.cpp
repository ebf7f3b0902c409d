#include "engine/run/generation_run.h"

#include <utility>

#include "engine/formats/classic/map_writer.h"
#include "engine/formats/html5/html5_map_writer.h"
#include "engine/formats/sitemap/sitemap_set_writer.h"
#include "engine/text/text_rules.h"
#include "engine/walk/page_index.h"

namespace zorvitan {

GenerationRun::GenerationRun(FrontEnd& front_end, Platform& platform)
    : front_end_(front_end), platform_(platform) {}

RunReport GenerationRun::Generate(const RunInputs& given) {
  RunReport report;
  if (!CheckInputs(given)) return report;

  front_end_.SetInputsEnabled(false);
  RunInputs inputs = given;
  inputs.site_folder = WithSeparator(given.site_folder, platform_.Separator());
  if (inputs.site_folder != given.site_folder) front_end_.ShowSiteFolder(inputs.site_folder);
  report.outcome = WalkAndWrite(inputs, &report.summary);
  front_end_.SetInputsEnabled(true);
  return report;
}

RunOutcome GenerationRun::WalkAndWrite(const RunInputs& inputs, RunSummary* summary) {
  PageList pages;
  PageIndex index(inputs, platform_, platform_, front_end_);
  // Closed during the walk or the reading: nothing is replaced.
  if (!index.IndexPages(&pages)) return RunOutcome::kCancelled;
  WriteResult written =
      inputs.sitemap
          ? SitemapSetWriter(inputs, platform_, front_end_).Write(pages, index.Excluded())
      : inputs.html5 ? Html5MapWriter(inputs, platform_, front_end_).Write(pages)
                     : MapWriter(inputs, platform_, front_end_).Write(pages);
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

bool GenerationRun::Refuse(Refusal::Reason reason, Field field, const std::string& path) {
  front_end_.ShowRefusal(Refusal{reason, path});
  front_end_.SetFocus(field);
  return false;
}

bool GenerationRun::CheckInputs(const RunInputs& inputs) {
  if (inputs.site_folder.empty()) return Refuse(Refusal::kNoSiteFolder, Field::kSiteFolder);
  if (inputs.map_file.empty()) return Refuse(Refusal::kNoMapFile, Field::kMapFile);
  if (inputs.patterns.empty()) return Refuse(Refusal::kNoPatterns, Field::kPatterns);
  // Tested without cutting an existing map; a missing one is created.
  if (!platform_.ProbeReplaceable(inputs.map_file)) {
    return Refuse(Refusal::kMapFileNotCreated, Field::kMapFile, inputs.map_file);
  }
  // The site folder becomes the current drive and directory.
  if (!platform_.SetCurrentFolder(inputs.site_folder)) {
    return Refuse(Refusal::kSiteFolderNotOpened, Field::kSiteFolder, inputs.site_folder);
  }
  return true;
}

}  // namespace zorvitan
