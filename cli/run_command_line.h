// zorvitan-cli from its arguments to its exit code.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace zorvitan::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitMapNotWritten = 3;

// Hears how many pages have been read so far during a run.
using PagesReadHook = std::function<void(std::size_t pages_read)>;

// `args` are the arguments after the program name, in the system's 8-bit code
// page. Tests pass `on_pages_read` to stop a run at a known point.
int RunCommandLine(const std::vector<std::string>& args, PagesReadHook on_pages_read = nullptr);

}  // namespace zorvitan::cli
