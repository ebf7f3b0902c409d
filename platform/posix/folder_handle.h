// Opening folders whose paths are longer than the system takes in one call.
#pragma once

#include <string>

namespace zorvitan {

// Opens a folder for reading (O_DIRECTORY, links followed) and returns its
// descriptor, or -1 with errno set. A path longer than PATH_MAX is opened a
// piece at a time, each piece relative to the last, so a deeply nested site is
// walked to the bottom instead of losing its lowest folders.
int OpenFolder(const std::string& path);

}  // namespace zorvitan
