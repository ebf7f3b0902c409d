// A scripted window for the engine tests: a log of what the run did to the
// window, in order, the site folder it showed, and its clipboard. Notices
// become message boxes as the Windows program shows them.
#pragma once

#include <string>
#include <vector>

#include "engine/platform/platform.h"
#include "engine/run/front_end.h"
#include "engine/run/notices.h"
#include "ui/clipboard.h"
#include "ui/window_run.h"

namespace zorvitan::testing {

// The styles of the Windows program's boxes: one OK button with an icon.
inline constexpr int kExclamationBox = 0x30;
inline constexpr int kInformationBox = 0x40;

struct ShownMessage {
  std::string text;
  int style;
  std::string title;
};

class FakeClipboard : public Clipboard {
 public:
  std::string text;
  std::string unicode_text;  // the UTF-8 text placed beside it
  int calls = 0;
  int refusals = 0;  // refuse this many calls; -1 always

  bool SetTextFrom(TextSource source, TextSource unicode_source) override {
    std::string made, made_unicode;
    if (!source(&made) || !unicode_source(&made_unicode)) return true;  // nothing to place
    ++calls;
    if (refusals != 0) {
      if (refusals > 0) --refusals;
      return false;
    }
    text = made;
    unicode_text = made_unicode;
    return true;
  }
};

class FakeWindow : public RunWindow {
 public:
  explicit FakeWindow(const Platform& platform) : platform_(platform) {}

  int close_at_event = -1;  // KeepGoing call (from 0) at which the user closes the window

  std::vector<ShownMessage> messages;
  std::vector<std::string> log;  // "SetInputsEnabled(0)", "Box", "Focus(1)", ...
  std::string site_folder_shown;
  FakeClipboard clipboard;
  bool has_clipboard = true;
  int events = 0;
  int progress_reports = 0;

  void ShowSiteFolder(const std::string& site_folder) override { site_folder_shown = site_folder; }
  void SetFocus(Field field) override {
    log.push_back("Focus(" + std::to_string(static_cast<int>(field) + 1) + ")");
  }
  Clipboard* WindowClipboard() override { return has_clipboard ? &clipboard : nullptr; }
  void SetInputsEnabled(bool enabled) override {
    log.push_back(enabled ? "SetInputsEnabled(1)" : "SetInputsEnabled(0)");
  }
  void ShowRefusal(const Refusal& refusal) override {
    Box(RefusalText(refusal, platform_), kExclamationBox, ErrorTitle(platform_));
  }
  void ShowMapNotWritten(const std::string& map_file) override {
    Box(MapNotWrittenText(map_file, platform_), kExclamationBox, ErrorTitle(platform_));
  }
  void ShowNothingListed(const std::string& map_file, const RunSummary& /*summary*/) override {
    Box(NothingListedText(map_file, platform_), kExclamationBox, ErrorTitle(platform_));
  }
  void ShowFinished(const RunSummary& summary) override {
    Box(ClosingText(summary.pages_found, platform_), kInformationBox, ProgramTitle(platform_));
    const std::string problems = ProblemsText(summary, platform_);
    if (!problems.empty()) Box(problems, kExclamationBox, ErrorTitle(platform_));
  }
  bool KeepGoing() override { return events++ != close_at_event; }
  void Report(Phase, std::size_t, std::size_t) override { ++progress_reports; }

 private:
  void Box(const std::string& text, int style, const std::string& title) {
    messages.push_back({text, style, title});
    log.push_back("Box");
  }

  const Platform& platform_;
};

}  // namespace zorvitan::testing
