#include "cli/console_front_end.h"

#include <string>
#include <utility>
#include <vector>

#include "cli/console.h"
#include "cli/console_messages.h"

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

void ConsoleFrontEnd::ShowRefusal(const Refusal& refusal) { Error(RefusalMessage(refusal)); }

void ConsoleFrontEnd::ShowMapNotWritten(const std::string& map_file) {
  Error(CannotCreateMessage(map_file));
}

void ConsoleFrontEnd::ShowFinished(const RunSummary& summary) {
  progress_.Clear();
  WriteText(Stream::kOut, ClosingMessage(summary.pages_found));
  WriteLines(SitemapLines(summary, system_text_));
  WriteLines(ProblemLines(summary, system_text_));
}

void ConsoleFrontEnd::ShowNothingListed(const std::string& map_file, const RunSummary& summary) {
  progress_.Clear();
  WriteLines(SitemapLines(summary, system_text_));
  WriteText(Stream::kErr, NothingListedMessage(map_file, system_text_) + "\n");
}

void ConsoleFrontEnd::WriteLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) WriteText(Stream::kErr, line + "\n");
}

void ConsoleFrontEnd::Report(Phase phase, std::size_t done, std::size_t total) {
  progress_.Update(phase, done, total);
  if (phase == Phase::kReading && on_pages_read_) on_pages_read_(done);
}

}  // namespace zorvitan::cli
