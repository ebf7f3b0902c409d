#include "engine/generation_run.h"

#include "engine/map_writer.h"
#include "engine/page_index.h"
#include "engine/sitemap/sitemap_writer.h"
#include "engine/text_rules.h"

namespace zorvitan {

GenerationRun::GenerationRun(FrontEnd& front_end, Platform& platform)
    : front_end_(front_end), platform_(platform) {}

RunReport GenerationRun::Generate(const RunInputs& given) {
  if (!CheckInputs(given)) return RunReport();

  front_end_.SetInputsEnabled(false);
  RunInputs inputs = given;
  inputs.site_folder = WithSeparator(given.site_folder, platform_.Separator());
  if (inputs.site_folder != given.site_folder) front_end_.ShowSiteFolder(inputs.site_folder);

  PageList pages;
  PageIndex index(inputs, platform_, front_end_);
  // The window was closed during the walk: no map is written, the old one stays.
  if (!index.IndexPages(&pages)) return End(RunOutcome::kCancelled);

  const WriteResult written = inputs.sitemap
                                  ? SitemapWriter(inputs, platform_, front_end_).Write(pages)
                                  : MapWriter(inputs, platform_, front_end_).Write(pages);
  if (written.outcome == WriteResult::kStopped) return End(RunOutcome::kCancelled);
  if (written.outcome == WriteResult::kFailed) {
    front_end_.ShowMapNotWritten(written.failed_file);
    return End(RunOutcome::kMapNotWritten);
  }

  RunReport report = End(RunOutcome::kDone);
  report.summary.pages_found = written.pages_found;
  report.summary.noindex_pages = written.noindex_pages;
  report.summary.unreadable_pages = written.unreadable_pages;
  report.summary.unopened_folders = index.UnopenedFolders();
  front_end_.ShowFinished(report.summary);
  front_end_.SetInputsEnabled(true);
  return report;
}

// The inputs come back for every ending but a finished one, which shows its
// summary first.
RunReport GenerationRun::End(RunOutcome outcome) {
  if (outcome != RunOutcome::kDone) front_end_.SetInputsEnabled(true);
  RunReport report;
  report.outcome = outcome;
  return report;
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
