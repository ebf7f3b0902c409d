// Paths given on the command line, and the map file around a refused run.
#pragma once

#include <string>

namespace zorvitan::cli {

// Makes the path absolute against the current folder, in the platform's form
// (POSIX: lexically, links left alone). An empty path stays empty. Returns
// false for a relative path when the current folder no longer exists: it
// would name nothing, or the root of the file system.
bool MakeAbsolute(const std::string& path, std::string* absolute);

// Whether anything exists under the path.
bool PathExists(const std::string& path);

// Removes the file when it exists and is empty: what the map probe of a run
// that wrote nothing may have created.
void RemoveIfEmptyFile(const std::string& path);

}  // namespace zorvitan::cli
