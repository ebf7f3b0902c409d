#include "engine/generation_run.h"

#include "engine/html5_map_writer.h"
#include "engine/map_writer.h"
#include "engine/page_index.h"
#include "engine/sitemap_writer.h"

namespace zorvitan {

GenerationRun::GenerationRun(WindowModel& window, Platform& platform, RunChoices choices)
    : window_(window), platform_(platform), choices_(choices) {}

RunReport GenerationRun::Generate() {
  RunReport report;
  if (!CheckInputs()) return report;

  window_.SetInputsEnabled(false);
  page_list.clear();

  const std::string site = window_.Text(Field::kSiteFolder);
  if (site.empty() || site.back() != platform_.Separator()) {
    window_.SetText(Field::kSiteFolder, site + platform_.Separator());
  }

  PageIndex index(window_, platform_, page_filter, page_list, choices_.exclusions);
  if (!index.IndexPages(window_.Text(Field::kSiteFolder))) {
    // The window was closed during the run: no map is written, the old one stays.
    report.outcome = RunOutcome::kCancelled;
    window_.SetInputsEnabled(true);
    return report;
  }

  std::string failed_file;
  if (!WriteMap(&report.summary, &failed_file)) {
    window_.ShowMapNotWritten(failed_file);
    report.outcome = RunOutcome::kMapNotWritten;
    report.summary = RunSummary();
    window_.SetInputsEnabled(true);
    return report;
  }

  report.outcome = RunOutcome::kDone;
  report.summary.unopened_folders = index.UnopenedFolders();
  window_.ShowFinished(report.summary);
  window_.SetInputsEnabled(true);
  return report;
}

bool GenerationRun::WriteMap(RunSummary* summary, std::string* failed_file) {
  if (choices_.sitemap != nullptr) {
    SitemapWriter writer(window_, platform_, *choices_.sitemap, page_list);
    if (!writer.Write()) {
      *failed_file = writer.FailedFile();
      return false;
    }
    summary->pages_found = writer.PagesFound();
    summary->noindex_pages = writer.NoindexPages();
    summary->unreadable_pages = writer.UnreadablePages();
    return true;
  }
  if (choices_.html5 != nullptr) {
    Html5MapWriter writer(window_, platform_, *choices_.html5, page_list, choices_.page_encoding);
    if (!writer.Write()) {
      *failed_file = window_.Text(Field::kMapFile);
      return false;
    }
    summary->pages_found = writer.PagesFound();
    summary->unreadable_pages = writer.UnreadablePages();
    summary->stripped_suffix = writer.StrippedSuffix();
    return true;
  }
  MapWriter writer(window_, platform_, page_list, last_folder, choices_.page_encoding);
  if (!writer.Write()) {
    *failed_file = window_.Text(Field::kMapFile);
    return false;
  }
  summary->pages_found = page_list.size();
  summary->unreadable_pages = writer.UnreadablePages();
  return true;
}

bool GenerationRun::Refuse(Refusal::Reason reason, Field field, const std::string& path) {
  window_.ShowRefusal(Refusal{reason, path});
  window_.SetFocus(field);
  return false;
}

bool GenerationRun::CheckInputs() {
  if (window_.Text(Field::kSiteFolder).empty()) {
    return Refuse(Refusal::kNoSiteFolder, Field::kSiteFolder);
  }
  if (window_.Text(Field::kMapFile).empty()) return Refuse(Refusal::kNoMapFile, Field::kMapFile);
  if (window_.Text(Field::kPatterns).empty()) return Refuse(Refusal::kNoPatterns, Field::kPatterns);
  if (!ProbeMapFile()) {
    return Refuse(Refusal::kMapFileNotCreated, Field::kMapFile, window_.Text(Field::kMapFile));
  }
  if (!EnterSiteFolder()) {
    return Refuse(Refusal::kSiteFolderNotOpened, Field::kSiteFolder,
                  window_.Text(Field::kSiteFolder));
  }
  return true;
}

bool GenerationRun::ProbeMapFile() { return platform_.ProbeMapFile(window_.Text(Field::kMapFile)); }

bool GenerationRun::EnterSiteFolder() {
  return platform_.SetCurrentFolder(window_.Text(Field::kSiteFolder));
}

}  // namespace zorvitan
