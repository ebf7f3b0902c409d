// zorvitan-cli from its arguments to its exit code.
#pragma once

#include <string>
#include <vector>

namespace zorvitan::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitMapNotWritten = 3;

// `args` are the arguments after the program name, in the system's 8-bit code
// page.
int RunCommandLine(const std::vector<std::string>& args);

}  // namespace zorvitan::cli
