// What zorvitan-cli says about itself: --help, --version and the usage line.
#pragma once

namespace zorvitan::cli {

inline constexpr const char* kVersionText = "zorvitan-cli 1.00\n";

inline constexpr const char* kUsageText =
    "Usage: zorvitan-cli [OPTIONS] SITE_FOLDER MAP_FILE\n"
    "Try 'zorvitan-cli --help' for more information.\n";

// The full help, UTF-8: it quotes the program's Polish texts.
extern const char* const kHelpText;

}  // namespace zorvitan::cli
