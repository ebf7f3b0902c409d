// What zorvitan-cli prints on standard output after a finished run, in English
// (the language the tests run it in, unless they ask for another).
#pragma once

#include <cstddef>
#include <string>

namespace zorvitan::testing {

inline std::string Found(std::size_t pages) {
  return "Finished writing the site map\nFound: " + std::to_string(pages) +
         (pages == 1 ? " page\n" : " pages\n");
}

}  // namespace zorvitan::testing
