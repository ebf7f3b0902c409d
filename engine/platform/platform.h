// What a generation run needs from the operating system: its file system, a
// program runner and its text, each an interface of its own.
//
// One implementation per platform (platform/win32, platform/posix) and an
// in-memory one for the tests implement all three in one object, as they share
// the code page and the fake's tree. A Platform passes wherever one of the
// three is asked for, so a module names only the one it uses; the run and the
// writers, which use them all, take the whole.
#pragma once

#include "engine/platform/file_system.h"
#include "engine/platform/program_runner.h"
#include "engine/platform/system_text.h"

namespace zorvitan {

class Platform : public FileSystem, public ProgramRunner, public SystemText {};

}  // namespace zorvitan
