#include "cli/console_front_end.h"

#include <string>
#include <utility>

#include "cli/console.h"

namespace zorvitan::cli {

std::string AsLines(const std::string& text) {
  std::string lines;
  lines.reserve(text.size() + 1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    lines += text[i];
  }
  if (lines.empty() || lines.back() != '\n') lines += '\n';
  return lines;
}

ConsoleFrontEnd::ConsoleFrontEnd(const SystemText& system_text, ProgressLine& progress,
                                 std::function<void(std::size_t)> on_pages_read)
    : system_text_(system_text), progress_(progress), on_pages_read_(std::move(on_pages_read)) {}

void ConsoleFrontEnd::Error(const std::string& text) {
  progress_.Clear();
  WriteText(Stream::kErr, AsLines(text));
}

void ConsoleFrontEnd::ShowRefusal(const Refusal& refusal) {
  Error(RefusalText(refusal, system_text_));
}

void ConsoleFrontEnd::ShowMapNotWritten(const std::string& map_file) {
  Error(MapNotWrittenText(map_file, system_text_));
}

void ConsoleFrontEnd::ShowFinished(const RunSummary& summary) {
  progress_.Clear();
  WriteText(Stream::kOut, AsLines(ClosingText(summary.pages_found, system_text_)));
  ShowSitemapNotices(summary);
  if (!summary.stripped_suffix.empty()) {
    WriteText(Stream::kErr, StrippedSuffixLine(summary.stripped_suffix, system_text_) + "\n");
  }
  for (const std::string& folder : summary.unopened_folders) {
    WriteText(Stream::kErr, UnopenedFolderLine(folder, system_text_) + "\n");
  }
  for (const std::string& page : summary.unreadable_pages) {
    WriteText(Stream::kErr, UnreadablePageLine(page, system_text_) + "\n");
  }
}

void ConsoleFrontEnd::ShowNothingListed(const std::string& map_file, const RunSummary& summary) {
  progress_.Clear();
  ShowSitemapNotices(summary);
  WriteText(Stream::kErr, NothingListedText(map_file, system_text_) + "\n");
}

void ConsoleFrontEnd::ShowSitemapNotices(const RunSummary& summary) {
  if (summary.noindex_pages > 0) {
    WriteText(Stream::kErr, NoindexLine(summary.noindex_pages, system_text_) + "\n");
  }
  for (const std::string& notice : summary.sitemap_notices) {
    WriteText(Stream::kErr, notice + "\n");
  }
}

void ConsoleFrontEnd::Report(Phase phase, std::size_t done, std::size_t total) {
  progress_.Update(phase, done, total);
  if (phase == Phase::kReading && on_pages_read_) on_pages_read_(done);
}

}  // namespace zorvitan::cli
