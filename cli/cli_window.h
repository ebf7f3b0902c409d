// The window as the command line gives it to the run: the fields come from the
// arguments, notices go to the standard streams, and progress reports drive
// the progress line.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "cli/options.h"
#include "cli/progress_line.h"
#include "engine/platform.h"
#include "engine/window_model.h"

namespace zorvitan::cli {

class CliWindow : public WindowModel {
 public:
  // `on_pages_read`, when set, hears how many pages have been read so far.
  CliWindow(const Options& options, const Platform& platform, ProgressLine& progress,
            std::function<void(std::size_t)> on_pages_read = nullptr);

  std::string Text(Field field) override;
  void SetText(Field field, const std::string& text) override;
  void SetFocus(Field /*field*/) override {}
  bool SkipUntitled() override { return options_.skip_untitled; }
  void SetInputsEnabled(bool /*enabled*/) override {}
  // Refusals and failures go to stderr; the closing message to stdout, then
  // to stderr how many pages a sitemap left out as noindex, and every folder
  // that could not be listed and every page that could not be read, one line
  // each.
  void ShowRefusal(const Refusal& refusal) override;
  void ShowMapNotWritten(const std::string& map_file) override;
  void ShowFinished(const RunSummary& summary) override;
  bool DoEvents() override { return true; }
  bool UsesClipboard() const override { return false; }
  void ReportProgress(Phase phase, std::size_t done, std::size_t total) override;
  // A sitemap's lines on standard error: noindex and the other reasons pages
  // were left out, and the notices about its dates.
  void ShowSitemapNotices(const RunSummary& summary);

 private:
  void Error(const std::string& text);

  Options options_;
  const Platform& platform_;
  ProgressLine& progress_;
  std::function<void(std::size_t)> on_pages_read_;
};

// "a\r\nb" → "a\nb\n": a message text as terminal lines.
std::string AsLines(const std::string& text);

}  // namespace zorvitan::cli
