// The primary language subtag of a locale name, as both platforms name
// locales: "ja_JP.UTF-8" and "sr_RS@latin" (POSIX), "ja-JP" and "de-DE_phoneb"
// (Windows) give "ja", "sr", "de". Names of no language ("C", "C.UTF-8",
// "POSIX") and anything else give "".
#pragma once

#include <string>
#include <string_view>

namespace zorvitan {

inline std::string PrimaryLanguageSubtag(std::string_view locale_name) {
  const std::string_view subtag = locale_name.substr(0, locale_name.find_first_of("_-.@"));
  // ISO 639 codes have two or three letters; "C" has one, "POSIX" five.
  if (subtag.size() < 2 || subtag.size() > 3) return "";
  std::string lower;
  for (char c : subtag) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c < 'a' || c > 'z') return "";
    lower += c;
  }
  return lower;
}

}  // namespace zorvitan
