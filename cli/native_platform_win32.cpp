#include <memory>

#include "cli/native_platform.h"
#include "platform/win32/os_platform.h"

namespace zorvitan::cli {

// No clipboard owner: the command line never touches the clipboard.
std::unique_ptr<Platform> MakeNativePlatform() { return std::make_unique<Win32Platform>(); }

}  // namespace zorvitan::cli
