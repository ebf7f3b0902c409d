#include <memory>

#include "cli/native_platform.h"
#include "platform/posix/os_platform.h"

namespace zorvitan::cli {

std::unique_ptr<Platform> MakeNativePlatform() { return std::make_unique<PosixPlatform>(); }

}  // namespace zorvitan::cli
