#include "engine/run/notices.h"

#include "engine/platform/system_text.h"
#include "engine/run/messages.h"
#include "engine/text/foreign_names.h"

namespace zorvitan {

std::string RefusalText(const Refusal& refusal, const SystemText& system_text) {
  switch (refusal.reason) {
    case Refusal::kNoSiteFolder:
      return system_text.ProgramText(messages::kNoSiteFolder);
    case Refusal::kNoMapFile:
      return system_text.ProgramText(messages::kNoMapFile);
    case Refusal::kNoPatterns:
      return system_text.ProgramText(messages::kNoPatterns);
    case Refusal::kMapFileNotCreated:
      return MapNotWrittenText(refusal.path, system_text);
    case Refusal::kSiteFolderNotOpened:
      return system_text.ProgramText(messages::kCannotOpenFolder) + refusal.path;
  }
  return std::string();
}

std::string MapNotWrittenText(const std::string& map_file, const SystemText& system_text) {
  return system_text.ProgramText(messages::kCannotCreateFile) + map_file;
}

std::string NothingListedText(const std::string& map_file, const SystemText& system_text) {
  return system_text.ProgramText(messages::kNothingListed) + PathForMessage(map_file, system_text);
}

std::string ClosingText(std::size_t pages_found, const SystemText& system_text) {
  return system_text.ProgramText(std::string(messages::kDoneLine) + "\r\n" +
                                 messages::kFoundPrefix + std::to_string(pages_found) +
                                 messages::kFoundSuffix);
}

std::string UnopenedFolderLine(const std::string& folder, const SystemText& system_text) {
  return system_text.ProgramText(messages::kCannotOpenFolder) + PathForMessage(folder, system_text);
}

std::string UnreadablePageLine(const std::string& page, const SystemText& system_text) {
  return system_text.ProgramText(messages::kCannotReadFile) + PathForMessage(page, system_text);
}

std::string NoindexLine(std::size_t pages, const SystemText& system_text) {
  return system_text.ProgramText(messages::kNoindexLeftOut) + std::to_string(pages);
}

std::string StrippedSuffixLine(const std::string& suffix, const SystemText& system_text) {
  return system_text.ProgramText(std::string(messages::kSuffixStripped) + "\"" + suffix + "\"");
}

std::string ProblemsText(const RunSummary& summary, const SystemText& system_text) {
  constexpr std::size_t kFoldersShown = 10;
  std::string text;
  auto add_line = [&text](const std::string& line) {
    if (!text.empty()) text += "\r\n";
    text += line;
  };
  const std::vector<std::string>& folders = summary.unopened_folders;
  for (std::size_t i = 0; i < folders.size() && i < kFoldersShown; ++i) {
    add_line(UnopenedFolderLine(folders[i], system_text));
  }
  if (folders.size() > kFoldersShown) add_line("...");
  const std::vector<std::string>& pages = summary.unreadable_pages;
  if (!pages.empty()) {
    add_line(UnreadablePageLine(pages.front(), system_text));
    if (pages.size() > 1) {
      add_line(system_text.ProgramText(messages::kUnreadableCount) + std::to_string(pages.size()));
    }
  }
  return text;
}

std::string ErrorTitle(const SystemText& system_text) {
  return system_text.ProgramText(messages::kErrorTitle);
}

std::string ProgramTitle(const SystemText& system_text) {
  return system_text.ProgramText(messages::kProgramTitle);
}

}  // namespace zorvitan
