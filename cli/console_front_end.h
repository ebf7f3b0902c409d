// The command line as the front end of a run: notices go to the standard
// streams in the user's language, and progress reports drive the progress
// line. Its inputs come from the options (engine/run/run_inputs.h), not from
// here.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "cli/progress_line.h"
#include "engine/platform/system_text.h"
#include "engine/run/front_end.h"

namespace zorvitan::cli {

class ConsoleFrontEnd : public FrontEnd {
 public:
  // `on_pages_read`, when set, hears how many pages have been read so far.
  ConsoleFrontEnd(const SystemText& system_text, ProgressLine& progress,
                  std::function<void(std::size_t)> on_pages_read = nullptr);

  // Refusals and failures go to stderr; the closing message to stdout, then
  // to stderr how many pages a sitemap left out as noindex and for each other
  // reason, with the notices about its dates, and every folder that could not
  // be listed and every page that could not be read, one line each.
  void ShowRefusal(const Refusal& refusal) override;
  void ShowMapNotWritten(const std::string& map_file) override;
  void ShowFinished(const RunSummary& summary) override;
  // The sitemap's lines, then why no sitemap was written, on stderr.
  void ShowNothingListed(const std::string& map_file, const RunSummary& summary) override;
  void Report(Phase phase, std::size_t done, std::size_t total) override;
  bool KeepGoing() override { return true; }

 private:
  void Error(const std::string& text);
  // Each on a line of its own, on stderr.
  void WriteLines(const std::vector<std::string>& lines);

  const SystemText& system_text_;
  ProgressLine& progress_;
  std::function<void(std::size_t)> on_pages_read_;
};

// "a\r\nb" → "a\nb\n": a message text as terminal lines.
std::string AsLines(const std::string& text);

}  // namespace zorvitan::cli
