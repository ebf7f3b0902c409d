// Paths given on the command line, and the map file around a refused run.
#pragma once

#include <string>

namespace zorvitan::cli {

// The path made absolute against the current folder, in the platform's form
// (POSIX: lexically, links left alone). An empty path stays empty.
std::string MakeAbsolute(const std::string& path);

// Whether anything exists under the path.
bool PathExists(const std::string& path);

// Removes the file when it exists and is empty: what a refused run's map
// probe may have created.
void RemoveIfEmptyFile(const std::string& path);

}  // namespace zorvitan::cli
