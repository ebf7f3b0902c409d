// What zorvitan-cli says about itself: --help, --version and the usage line.
#pragma once

namespace zorvitan::cli {

// "zorvitan-cli 1.00" and a line end; the number comes from the project version.
extern const char* const kVersionText;

inline constexpr const char* kUsageText =
    "Usage: zorvitan-cli [OPTIONS] SITE_FOLDER MAP_FILE\n"
    "Try 'zorvitan-cli --help' for more information.\n";

// The full help, UTF-8: it quotes the program's Polish texts.
extern const char* const kHelpText;

}  // namespace zorvitan::cli
