#include "engine/run/notices.h"

#include "engine/platform/platform.h"
#include "engine/run/messages.h"
#include "engine/text/foreign_names.h"

namespace zorvitan {

std::string RefusalText(const Refusal& refusal, const Platform& platform) {
  switch (refusal.reason) {
    case Refusal::kNoSiteFolder:
      return platform.ProgramText(messages::kNoSiteFolder);
    case Refusal::kNoMapFile:
      return platform.ProgramText(messages::kNoMapFile);
    case Refusal::kNoPatterns:
      return platform.ProgramText(messages::kNoPatterns);
    case Refusal::kMapFileNotCreated:
      return MapNotWrittenText(refusal.path, platform);
    case Refusal::kSiteFolderNotOpened:
      return platform.ProgramText(messages::kCannotOpenFolder) + refusal.path;
  }
  return std::string();
}

std::string MapNotWrittenText(const std::string& map_file, const Platform& platform) {
  return platform.ProgramText(messages::kCannotCreateFile) + map_file;
}

std::string NothingListedText(const std::string& map_file, const Platform& platform) {
  return platform.ProgramText(messages::kNothingListed) + PathForMessage(map_file, platform);
}

std::string ClosingText(std::size_t pages_found, const Platform& platform) {
  return platform.ProgramText(std::string(messages::kDoneLine) + "\r\n" + messages::kFoundPrefix +
                              std::to_string(pages_found) + messages::kFoundSuffix);
}

std::string UnopenedFolderLine(const std::string& folder, const Platform& platform) {
  return platform.ProgramText(messages::kCannotOpenFolder) + PathForMessage(folder, platform);
}

std::string UnreadablePageLine(const std::string& page, const Platform& platform) {
  return platform.ProgramText(messages::kCannotReadFile) + PathForMessage(page, platform);
}

std::string NoindexLine(std::size_t pages, const Platform& platform) {
  return platform.ProgramText(messages::kNoindexLeftOut) + std::to_string(pages);
}

std::string StrippedSuffixLine(const std::string& suffix, const Platform& platform) {
  return platform.ProgramText(std::string(messages::kSuffixStripped) + "\"" + suffix + "\"");
}

std::string ProblemsText(const RunSummary& summary, const Platform& platform) {
  constexpr std::size_t kFoldersShown = 10;
  std::string text;
  auto add_line = [&text](const std::string& line) {
    if (!text.empty()) text += "\r\n";
    text += line;
  };
  const std::vector<std::string>& folders = summary.unopened_folders;
  for (std::size_t i = 0; i < folders.size() && i < kFoldersShown; ++i) {
    add_line(UnopenedFolderLine(folders[i], platform));
  }
  if (folders.size() > kFoldersShown) add_line("...");
  const std::vector<std::string>& pages = summary.unreadable_pages;
  if (!pages.empty()) {
    add_line(UnreadablePageLine(pages.front(), platform));
    if (pages.size() > 1) {
      add_line(platform.ProgramText(messages::kUnreadableCount) + std::to_string(pages.size()));
    }
  }
  return text;
}

std::string ErrorTitle(const Platform& platform) {
  return platform.ProgramText(messages::kErrorTitle);
}

std::string ProgramTitle(const Platform& platform) {
  return platform.ProgramText(messages::kProgramTitle);
}

}  // namespace zorvitan
