// The part of the titles that names the site rather than the page: a suffix
// most titles share, such as " | Pracownia Glina" or " – Glina", which a map
// of the site repeats on every line for nothing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorvitan {

// The suffix shared by more than half of the titles (and by two at least),
// starting with a blank, a separator ("|", "-", "–", "—", "·", "•", "»", ":",
// "/", "~", or an entity of one) and a blank; the longest of the most shared
// ones. Titles are compared as given (blanks already collapsed). "" when
// there is none.
std::string CommonTitleSuffix(const std::vector<std::string>& titles);

// The title without the suffix; a title that is nothing but the suffix stays
// whole.
std::string_view WithoutSuffix(std::string_view title, std::string_view suffix);

}  // namespace zorvitan
