#include "engine/generation_run.h"

#include "engine/foreign_names.h"
#include "engine/map_writer.h"
#include "engine/messages.h"
#include "engine/mod_html.h"
#include "engine/text_rules.h"

namespace zorvitan {

GenerationRun::GenerationRun(WindowModel& window, Platform& platform)
    : window_(window), platform_(platform) {}

RunReport GenerationRun::Command1_Click() {
  RunReport report;
  if (!SprawdzDane()) return report;

  window_.EnabledX(false);
  List1.clear();

  const std::string site = window_.Text(Field::kText1);
  if (site.empty() || site.back() != platform_.Separator()) {
    window_.SetText(Field::kText1, site + platform_.Separator());
  }

  ModHtml mod_html(window_, platform_, File1, List1);
  if (!mod_html.IndexPages(window_.Text(Field::kText1))) {
    // The window was closed during the run: no map is written, the old one stays.
    report.outcome = RunOutcome::kCancelled;
    window_.EnabledX(true);
    return report;
  }

  MapWriter writer(window_, platform_, List1, LastFolder);
  if (!writer.Mapa()) {
    window_.MsgBox(platform_.ProgramText(messages::kCannotCreateFile) + window_.Text(Field::kText2),
                   kStyleExclamation, platform_.ProgramText(messages::kErrorTitle));
    report.outcome = RunOutcome::kMapWriteFailed;
    window_.EnabledX(true);
    return report;
  }

  report.outcome = RunOutcome::kDone;
  report.pages_listed = List1.size();
  report.unreadable_pages = writer.UnreadablePages();
  report.unopened_folders = mod_html.UnopenedFolders();

  window_.MsgBox(
      platform_.ProgramText(std::string(messages::kDoneLine) + "\r\n" + messages::kFoundPrefix +
                            std::to_string(report.pages_listed) + messages::kFoundSuffix),
      kStyleInformation, platform_.ProgramText(messages::kProgramTitle));

  const std::string problems = ProblemsText(report);
  if (!problems.empty()) {
    window_.MsgBox(problems, kStyleExclamation, platform_.ProgramText(messages::kErrorTitle));
  }

  window_.EnabledX(true);
  return report;
}

// One box after the closing message: each folder that could not be listed on
// a line of its own (the first few), then the first unreadable page and how
// many there were.
std::string GenerationRun::ProblemsText(const RunReport& report) const {
  constexpr std::size_t kFoldersShown = 10;
  std::string text;
  auto add_line = [&text](const std::string& line) {
    if (!text.empty()) text += "\r\n";
    text += line;
  };
  const std::vector<std::string>& folders = report.unopened_folders;
  for (std::size_t i = 0; i < folders.size() && i < kFoldersShown; ++i) {
    add_line(platform_.ProgramText(messages::kCannotOpenFolder) +
             PathForMessage(folders[i], platform_));
  }
  if (folders.size() > kFoldersShown) add_line("...");
  const std::vector<std::string>& pages = report.unreadable_pages;
  if (!pages.empty()) {
    add_line(platform_.ProgramText(messages::kCannotReadFile) +
             PathForMessage(pages.front(), platform_));
    if (pages.size() > 1) {
      add_line(platform_.ProgramText(messages::kUnreadableCount) + std::to_string(pages.size()));
    }
  }
  return text;
}

bool GenerationRun::SprawdzDane() {
  auto fail = [this](const std::string& text, Field focus) {
    window_.MsgBox(text, kStyleExclamation, platform_.ProgramText(messages::kErrorTitle));
    window_.SetFocus(focus);
    return false;
  };
  if (window_.Text(Field::kText1).empty()) {
    return fail(platform_.ProgramText(messages::kNoSiteFolder), Field::kText1);
  }
  if (window_.Text(Field::kText2).empty()) {
    return fail(platform_.ProgramText(messages::kNoMapFile), Field::kText2);
  }
  if (window_.Text(Field::kText3).empty()) {
    return fail(platform_.ProgramText(messages::kNoPatterns), Field::kText3);
  }
  if (!TworzPlik()) {
    return fail(platform_.ProgramText(messages::kCannotCreateFile) + window_.Text(Field::kText2),
                Field::kText2);
  }
  if (CzytajKatalog() == 0) {
    return fail(platform_.ProgramText(messages::kCannotOpenFolder) + window_.Text(Field::kText1),
                Field::kText1);
  }
  return true;
}

bool GenerationRun::TworzPlik() { return platform_.ProbeMapFile(window_.Text(Field::kText2)); }

std::int32_t GenerationRun::CzytajKatalog() {
  return platform_.SetCurrentFolder(window_.Text(Field::kText1)) ? -1 : 0;
}

}  // namespace zorvitan
