// The window's clipboard as an observer of a run: each page taken goes there
// in turn, its bytes and its letters decoded (the platform makes the whole
// text only when a program asks). Another program may hold the clipboard for
// a moment; when it stays refused, the run goes on without it.
#pragma once

#include <string>

#include "engine/platform/platform.h"
#include "engine/run/page_observer.h"
#include "engine/text/text_conversion.h"
#include "ui/clipboard.h"

namespace zorvitan {

class ClipboardFeeder : public PageObserver {
 public:
  // `page_encoding` as the run's inputs name it.
  ClipboardFeeder(Clipboard& clipboard, Platform& platform, const std::string& page_encoding);
  void PageTaken(const std::string& path) override;

 private:
  Clipboard* clipboard_;  // none once it kept refusing
  Platform& platform_;
  TextConverter converter_;
};

}  // namespace zorvitan
