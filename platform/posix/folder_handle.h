// Opening folders whose paths are longer than the system takes in one call.
#pragma once

#include <string>

namespace zorvitan {

// Opens a folder for reading (O_DIRECTORY, links followed) and returns its
// descriptor, or -1 with errno set. A path longer than PATH_MAX is opened a
// piece at a time, each piece relative to the last, so a deeply nested site is
// walked to the bottom instead of losing its lowest folders.
int OpenFolder(const std::string& path);

// The folder of the file at `path`, opened once per thread and kept while
// the files of one folder follow each other: opening or looking at each one
// relative to it spares the kernel a lookup of the whole path per file.
// Returns the descriptor and sets `name` to the file's name in `path`; -1
// when the path has no folder part or the folder cannot be opened.
int FolderOfFile(const std::string& path, const char** name);

}  // namespace zorvitan
