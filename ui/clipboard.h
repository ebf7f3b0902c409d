// The system clipboard as the window's run uses it: each page's text in turn.
// The window's run feeds it (ui/clipboard_feeder.h); the command line has none.
#pragma once

#include <functional>
#include <string>

namespace zorvitan {

class Clipboard {
 public:
  // Makes the text into its argument; false when it cannot be had.
  using TextSource = std::function<bool(std::string*)>;

  virtual ~Clipboard() = default;

  // Places the text that `source` makes in the clipboard's plain-text format,
  // and beside it the same text decoded to UTF-8 by `unicode_source`, for
  // programs that paste letters rather than bytes. An implementation may keep
  // both and make each text only when a program asks for it, so that placing
  // page after page costs next to nothing; it calls them on this thread.
  // False when the clipboard refused (another program holds it).
  virtual bool SetTextFrom(TextSource source, TextSource unicode_source) = 0;
};

}  // namespace zorvitan
