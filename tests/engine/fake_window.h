// A scripted window for the engine tests: fields, check box and a log of what
// the run did to the window, in order.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/window_model.h"

namespace zorvitan::testing {

struct ShownMessage {
  std::string text;
  int style;
  std::string title;
};

class FakeWindow : public WindowModel {
 public:
  std::map<Field, std::string> fields{
      {Field::kText1, ""}, {Field::kText2, ""}, {Field::kText3, "*.htm; *.html; *.php"}};
  int check1 = 0;
  bool uses_clipboard = true;
  int close_at_event = -1;  // DoEvents call (from 0) at which the user closes the window

  std::vector<ShownMessage> messages;
  std::vector<std::string> log;  // "EnabledX(0)", "MsgBox", "Focus(1)", ...
  int events = 0;
  int progress_reports = 0;

  std::string Text(Field field) override { return fields[field]; }
  void SetText(Field field, const std::string& text) override { fields[field] = text; }
  void SetFocus(Field field) override {
    log.push_back("Focus(" + std::to_string(static_cast<int>(field) + 1) + ")");
  }
  int Check1() override { return check1; }
  void EnabledX(bool flag) override { log.push_back(flag ? "EnabledX(1)" : "EnabledX(0)"); }
  void MsgBox(const std::string& text, int style, const std::string& title) override {
    messages.push_back({text, style, title});
    log.push_back("MsgBox");
  }
  bool DoEvents() override { return events++ != close_at_event; }
  bool UsesClipboard() const override { return uses_clipboard; }
  void ReportProgress(Phase, std::size_t, std::size_t) override { ++progress_reports; }
};

}  // namespace zorvitan::testing
