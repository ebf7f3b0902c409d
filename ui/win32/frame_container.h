// Group boxes that hold their controls as real children.
#pragma once

#include <windows.h>

namespace zorvitan {

// Makes the group box `frame` a container: notifications and colour requests
// its children send to it go on to the top-level window, which handles them
// as if the controls were its own. The frame needs WS_EX_CONTROLPARENT so
// dialog navigation descends into it.
bool MakeFrameContainer(HWND frame);

}  // namespace zorvitan
