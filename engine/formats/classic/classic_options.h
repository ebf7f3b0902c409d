// What the classic map takes beside what every format takes: the window's
// clipboard, which is handed each page's text in turn.
#pragma once

namespace zorvitan {

class Clipboard;

struct ClassicOptions {
  Clipboard* clipboard = nullptr;  // none from the command line
};

}  // namespace zorvitan
