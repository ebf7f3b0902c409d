// The platform layer of the system the command line was built for.
#pragma once

#include <memory>

#include "engine/platform/platform.h"

namespace zorvitan::cli {

std::unique_ptr<Platform> MakeNativePlatform();

}  // namespace zorvitan::cli
