#include "engine/generation_run.h"

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

  window_.MsgBox(platform_.ProgramText(std::string(messages::kDoneLine) + "\r\n" +
                                       messages::kFoundPrefix +
                                       std::to_string(report.pages_listed) +
                                       messages::kFoundSuffix),
                 kStyleInformation, platform_.ProgramText(messages::kProgramTitle));

  if (!report.unreadable_pages.empty()) {
    std::string text =
        platform_.ProgramText(messages::kCannotReadFile) + report.unreadable_pages.front();
    if (report.unreadable_pages.size() > 1) {
      text += "\r\n" + platform_.ProgramText(messages::kUnreadableCount) +
              std::to_string(report.unreadable_pages.size());
    }
    window_.MsgBox(text, kStyleExclamation, platform_.ProgramText(messages::kErrorTitle));
  }

  window_.EnabledX(true);
  return report;
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
