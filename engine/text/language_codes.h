// Language codes as hreflang takes them.
#pragma once

#include <string_view>

namespace zorvitan {

// Whether `code` is "x-default", or an ISO 639 language, optionally with an
// ISO 15924 script, optionally with an ISO 3166-1 or UN M.49 region; letters
// in any case.
bool IsHreflangCode(std::string_view code);

}  // namespace zorvitan
