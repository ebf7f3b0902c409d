// The user's page for --template, read before the run so that a template that
// cannot be used is wrong usage and nothing is written.
#pragma once

#include <string>

#include "engine/platform/file_system.h"

namespace zorvitan::cli {

// Reads `file` into `text`; false with the reason in `error` when it cannot
// be read or holds no "{{map}}".
bool LoadTemplate(FileSystem& file_system, const std::string& file, std::string* text,
                  std::string* error);

}  // namespace zorvitan::cli
