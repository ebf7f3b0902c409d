// Conversions between UTF-8 (the program's own texts in the source) and the
// system's 8-bit ANSI code page (everything exchanged with files and the "A"
// functions of Windows).
#pragma once

#include <string>

namespace zorvitan {

// UTF-8 to the ANSI code page. Characters the code page lacks become its
// default character ("?").
std::string Utf8ToAnsi(const std::string& utf8);

// The ANSI code page to UTF-8, for front ends that show or print system text.
std::string AnsiToUtf8(const std::string& ansi);

}  // namespace zorvitan
