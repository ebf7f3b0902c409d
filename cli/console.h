// The terminal or whatever the standard streams lead to.
#pragma once

#include <string>

namespace zorvitan::cli {

enum class Stream { kOut, kErr };

// Whether the stream is shown on a terminal (a console on Windows).
bool IsTerminal(Stream stream);

// Writes text in the system's 8-bit code page (UTF-8 on POSIX, the ANSI code
// page on Windows) so that it reads right where the stream goes.
void WriteText(Stream stream, const std::string& text);

}  // namespace zorvitan::cli
