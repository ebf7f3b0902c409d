// The window as the command line gives it to the run: the fields come from the
// arguments, message boxes go to the standard streams, and the event pump
// drives the progress line.
#pragma once

#include <cstddef>
#include <string>

#include "cli/options.h"
#include "cli/progress_line.h"
#include "engine/window_model.h"

namespace zorvitan::cli {

class CliWindow : public WindowModel {
 public:
  CliWindow(const Options& options, ProgressLine& progress);

  std::string Text(Field field) override;
  void SetText(Field field, const std::string& text) override;
  void SetFocus(Field /*field*/) override {}
  int Check1() override { return check1_; }
  void EnabledX(bool /*flag*/) override {}
  // The closing message goes to stdout, every other message to stderr; CR LF
  // line breaks become "\n". Messages after the closing one are held back: the
  // command line names every unreadable page itself, where the window sums up.
  void MsgBox(const std::string& text, int style, const std::string& title) override;
  bool DoEvents() override { return true; }
  bool UsesClipboard() const override { return false; }
  void ReportProgress(Phase phase, std::size_t done, std::size_t total) override;

  // How many messages went to stderr.
  int errors_shown() const { return errors_shown_; }
  // Messages that came after the closing message, as terminal lines.
  const std::string& held_messages() const { return held_messages_; }

 private:
  std::string text1_, text2_, text3_;
  int check1_;
  ProgressLine& progress_;
  int errors_shown_ = 0;
  bool closing_shown_ = false;
  std::string held_messages_;
};

// "a\r\nb" → "a\nb\n": a message box text as terminal lines.
std::string AsLines(const std::string& text);

}  // namespace zorvitan::cli
