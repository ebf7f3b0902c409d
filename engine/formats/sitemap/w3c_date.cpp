#include "engine/formats/sitemap/w3c_date.h"

#include <cstddef>

namespace zorvitan {

std::string W3cDateTime(std::int64_t seconds_since_1970) {
  // Days to the civil date in the proleptic Gregorian calendar, counted in
  // 400-year eras that start on March 1st (H. Hinnant's civil_from_days).
  std::int64_t days = seconds_since_1970 / 86400;
  std::int64_t seconds = seconds_since_1970 % 86400;
  if (seconds < 0) {
    seconds += 86400;
    --days;
  }
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t day_of_era = z - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t shifted_month = (5 * day_of_year + 2) / 153;
  const std::int64_t day = day_of_year - (153 * shifted_month + 2) / 5 + 1;
  const std::int64_t month = shifted_month < 10 ? shifted_month + 3 : shifted_month - 9;
  const std::int64_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  if (year < 1 || year > 9999) return std::string();
  // Digit by digit: a sitemap writes one a page, and snprintf was a visible
  // share of a run.
  std::string text = "0000-00-00T00:00:00Z";
  auto put = [&text](std::size_t end, std::int64_t value, int digits) {
    for (int i = 1; i <= digits; ++i, value /= 10)
      text[end - i] = static_cast<char>('0' + value % 10);
  };
  put(4, year, 4);
  put(7, month, 2);
  put(10, day, 2);
  put(13, seconds / 3600, 2);
  put(16, seconds / 60 % 60, 2);
  put(19, seconds % 60, 2);
  return text;
}

}  // namespace zorvitan
