// The controls of the main window as designed: kind, container, caption, place and size.
#pragma once

#include <cstddef>

namespace zorvitan {

// Control identifiers. The exit button is the window's cancel button, so it carries
// IDCANCEL (2) and Esc presses it; no control uses IDOK (1).
enum ControlId : int {
  kNoControl = 0,
  kExitButton = 2,
  kOptionsFrame = 1001,
  kSiteFolderFrame,
  kSiteFolderEdit,
  kSiteFolderButton,
  kMapFileFrame,
  kMapFileEdit,
  kMapFileButton,
  kPatternsFrame,
  kPatternsEdit,
  kIndexingFrame,
  kSkipUntitledCheck,
  kGenerateButton,
  kWebButton,
};

enum class ControlKind { kFrame, kTextBox, kCommandButton, kCheckBox };

struct ControlSpec {
  ControlId id;
  const char* name;
  ControlKind kind;
  ControlId container;           // kNoControl: the window's client area
  const char* caption;           // UTF-8; converted to the ANSI code page when created
  int left, top, width, height;  // twips, relative to the container
};

// The window's client area in twips.
constexpr int kClientWidthTwips = 6855;
constexpr int kClientHeightTwips = 2850;

// The controls in creation order. Within each container the order is the tab
// order: site folder, its "...", map file, its "...", patterns, the check box,
// generate, WWW, exit, and round again. Frames come before their contents.
const ControlSpec* ControlTable();
std::size_t ControlCount();

// The entry for `id`, or nullptr.
const ControlSpec* FindControl(ControlId id);

// The controls SetInputsEnabled sets, in the order it sets them.
constexpr ControlId kDisabledDuringRun[] = {
    kIndexingFrame,  kMapFileFrame,  kSiteFolderFrame,  kPatternsFrame, kOptionsFrame,
    kGenerateButton, kMapFileButton, kSiteFolderButton, kWebButton,     kExitButton};

}  // namespace zorvitan
