// Prints, for each line of standard input, "1" when IsHreflangCode accepts it and "0" when
// not, one a line, for language_codes_oracle_test.mjs to hold against the IANA registry.
#include <iostream>
#include <string>

#include "engine/text/language_codes.h"

int main() {
  std::ios::sync_with_stdio(false);
  std::string code;
  while (std::getline(std::cin, code)) std::cout << (zorvitan::IsHreflangCode(code) ? "1\n" : "0\n");
  return 0;
}
