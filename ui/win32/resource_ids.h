// Resource identifiers shared by the resource script and the window code.
#pragma once

#define IDI_ZORVITAN 1
