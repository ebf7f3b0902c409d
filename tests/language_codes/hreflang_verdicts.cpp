// Prints for each line of standard input "1" when IsHreflangCode accepts it, else "0".
#include <iostream>
#include <string>

#include "engine/text/language_codes.h"

int main() {
  std::string code;
  while (std::getline(std::cin, code))
    std::cout << (zorvitan::IsHreflangCode(code) ? "1\n" : "0\n");
  return 0;
}
