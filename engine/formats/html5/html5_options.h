// What the command line chooses for the html5 map: a complete page in UTF-8
// instead of the classic fragment.
#pragma once

#include <string>

namespace zorvitan {

struct Html5Options {
  // The page's language, which its own words follow (html5_words.h); "" for
  // the top index page's, else the one most pages declare, else the system's,
  // else "pl". A template's own <html lang> is kept all the same.
  std::string lang;
  // The page's title, in the system's code page; unset for "Mapa serwisu"
  // (or its words in the page's language) and the top index page's title.
  bool has_title = false;
  std::string title;
  // The user's page, UTF-8, holding "{{map}}" once and "{{title}}" anywhere
  // (html5_page.h); empty for the built-in page.
  std::string template_text;
  // Drop the suffix most titles share from the link texts (title_suffix.h).
  bool strip_common_suffix = false;
  // Each page's description (<meta name="description">) under its link.
  bool descriptions = false;
};

}  // namespace zorvitan
