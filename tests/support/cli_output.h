// What zorvitan-cli prints on standard output after a finished run.
#pragma once

#include <cstddef>
#include <string>

namespace zorvitan::testing {

inline std::string Found(std::size_t pages) {
  return "Skończyłem generowanie mapy serwisu\nZnalazłem: " + std::to_string(pages) + " plików\n";
}

}  // namespace zorvitan::testing
