// The words the html5 map writes on its page itself, in the page's language.
// Names of files and folders stand in for missing titles, so these are all.
#pragma once

#include <string_view>

namespace zorvitan {

struct Html5Words {
  std::string_view site_map;    // the list's label, and the default title's start
  std::string_view title_join;  // between that and the top index page's title
};

// The words for a page in language `lang` (a language tag): Polish for "pl"
// and its regional tags in any letter case, English for any other.
const Html5Words& Html5WordsFor(std::string_view lang);

}  // namespace zorvitan
