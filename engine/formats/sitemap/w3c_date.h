// How a machine sitemap writes its dates.
#pragma once

#include <cstdint>
#include <string>

namespace zorvitan {

// A time in W3C date-time form, UTC, to the second: "2024-05-01T12:34:56Z".
// "" outside the years 1 to 9999.
std::string W3cDateTime(std::int64_t seconds_since_1970);

}  // namespace zorvitan
