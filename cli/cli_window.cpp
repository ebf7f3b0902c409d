#include "cli/cli_window.h"

#include <string>

#include "cli/console.h"
#include "cli/interrupt.h"

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

CliWindow::CliWindow(const Options& options, ProgressLine& progress)
    : text1_(options.site_folder),
      text2_(options.map_file),
      text3_(options.patterns),
      check1_(options.skip_untitled ? 1 : 0),
      progress_(progress) {}

std::string CliWindow::Text(Field field) {
  switch (field) {
    case Field::kText1:
      return text1_;
    case Field::kText2:
      return text2_;
    case Field::kText3:
      return text3_;
  }
  return std::string();
}

void CliWindow::SetText(Field field, const std::string& text) {
  switch (field) {
    case Field::kText1:
      text1_ = text;
      break;
    case Field::kText2:
      text2_ = text;
      break;
    case Field::kText3:
      text3_ = text;
      break;
  }
}

void CliWindow::MsgBox(const std::string& text, int style, const std::string& /*title*/) {
  if (closing_shown_) {
    held_messages_ += AsLines(text);
    return;
  }
  progress_.Clear();
  if (style == kStyleInformation) {
    closing_shown_ = true;
    WriteText(Stream::kOut, AsLines(text));
    return;
  }
  ++errors_shown_;
  WriteText(Stream::kErr, AsLines(text));
}

void CliWindow::ReportProgress(Phase phase, std::size_t done, std::size_t total) {
  progress_.Update(phase, done, total);
  if (phase == Phase::kReading) TestInterruptPoint(done);
}

}  // namespace zorvitan::cli
