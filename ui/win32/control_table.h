// The controls of frmMain as designed: kind, container, caption, place and size.
#pragma once

#include <cstddef>

namespace zorvitan {

// Control identifiers. Command5 is the window's cancel button, so it carries
// IDCANCEL (2) and Esc presses it; no control uses IDOK (1).
enum ControlId : int {
  kNoControl = 0,
  kCommand5 = 2,
  kFrame5 = 1001,
  kFrame3,
  kText1,
  kCommand3,
  kFrame2,
  kText2,
  kCommand2,
  kFrame4,
  kText3,
  kFrame1,
  kCheck1,
  kCommand1,
  kCommand4,
};

enum class ControlKind { kFrame, kTextBox, kCommandButton, kCheckBox };

struct ControlSpec {
  ControlId id;
  const char* name;
  ControlKind kind;
  ControlId container;  // kNoControl: the window's client area
  const char* caption;  // UTF-8; converted to the ANSI code page when created
  int left, top, width, height;  // twips, relative to the container
};

// The window's client area in twips.
constexpr int kClientWidthTwips = 6855;
constexpr int kClientHeightTwips = 2850;

// The controls in creation order. Within each container the order is the tab
// order: Text1, Command3, Text2, Command2, Text3, Check1, Command1, Command4,
// Command5, and round again. Frames come before their contents.
const ControlSpec* ControlTable();
std::size_t ControlCount();

// The entry for `id`, or nullptr.
const ControlSpec* FindControl(ControlId id);

// The controls EnabledX sets, in the order it sets them.
constexpr ControlId kEnabledXOrder[] = {kFrame1,   kFrame2,   kFrame3,   kFrame4,   kFrame5,
                                        kCommand1, kCommand2, kCommand3, kCommand4, kCommand5};

}  // namespace zorvitan
