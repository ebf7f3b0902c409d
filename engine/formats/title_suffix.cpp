#include "engine/formats/title_suffix.h"

#include <array>
#include <cstddef>
#include <unordered_map>

namespace zorvitan {
namespace {

// What may stand between the blanks at a suffix's start: the marks sites put
// between a page's name and their own, and their entity forms.
constexpr std::array<std::string_view, 20> kSeparators = {
    "|",
    "-",
    "\xE2\x80\x93",
    "\xE2\x80\x94",
    "\xC2\xB7",
    "\xE2\x80\xA2",
    "\xC2\xBB",
    ":",
    "::",
    "/",
    "~",
    "&ndash;",
    "&mdash;",
    "&raquo;",
    "&middot;",
    "&bull;",
    "&#8211;",
    "&#8212;",
    "&#124;",
    "&#187;",
};

// Where each suffix of the title starts: at a blank followed by a separator and
// a blank, not at the title's start.
template <typename Found>
void ForEachSuffixStart(std::string_view title, Found found) {
  for (std::size_t at = title.find(' ', 1); at != std::string_view::npos;
       at = title.find(' ', at + 1)) {
    for (const std::string_view separator : kSeparators) {
      if (title.compare(at + 1, separator.size(), separator) == 0 &&
          at + 1 + separator.size() < title.size() && title[at + 1 + separator.size()] == ' ') {
        found(at);
        break;
      }
    }
  }
}

}  // namespace

std::string CommonTitleSuffix(const std::vector<std::string>& titles) {
  std::unordered_map<std::string_view, std::size_t> shared_by;
  std::size_t titled = 0;
  for (const std::string& title : titles) {
    if (title.empty()) continue;
    ++titled;
    // A title counts once for each of its suffixes.
    ForEachSuffixStart(title,
                       [&](std::size_t at) { ++shared_by[std::string_view(title).substr(at)]; });
  }
  std::string_view best;
  std::size_t best_count = 0;
  for (const auto& [suffix, count] : shared_by) {
    if (count > best_count || (count == best_count && suffix.size() > best.size()) ||
        (count == best_count && suffix.size() == best.size() && suffix < best)) {
      best = suffix;
      best_count = count;
    }
  }
  if (best_count < 2 || best_count * 2 <= titled) return std::string();
  return std::string(best);
}

std::string_view WithoutSuffix(std::string_view title, std::string_view suffix) {
  if (suffix.empty() || title.size() <= suffix.size() ||
      title.compare(title.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return title;
  }
  return title.substr(0, title.size() - suffix.size());
}

}  // namespace zorvitan
