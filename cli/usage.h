// What zorvitan-cli says about itself: --help, --version and the usage line,
// in the user's language and the system's code page.
#pragma once

#include <string>

namespace zorvitan::cli {

// "zorvitan-cli 1.0.0" and a line end: the project's version.
extern const char* const kVersionText;

// The usage line and where to read more, after a usage error.
std::string UsageText();

// The full help.
std::string HelpText();

}  // namespace zorvitan::cli
