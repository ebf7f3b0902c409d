#include "cli/translation.h"

#include <cstddef>
#include <string>
#include <vector>

namespace zorvitan::cli {

std::string Fill(const std::string& format, std::initializer_list<std::string> values) {
  const std::vector<std::string> args(values);
  std::string text;
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 == format.size()) {
      text += format[i];
      continue;
    }
    std::size_t at = i + 1;
    std::size_t number = 0;
    while (at < format.size() && format[at] >= '0' && format[at] <= '9') {
      number = number * 10 + static_cast<std::size_t>(format[at++] - '0');
    }
    const bool positional = number > 0 && at < format.size() && format[at] == '$';
    if (positional) ++at;
    if (at < format.size() && format[at] == 's') {
      const std::size_t index = positional ? number - 1 : next++;
      if (index < args.size()) text += args[index];
      i = at;
    } else if (format[i + 1] == '%') {
      text += '%';
      ++i;
    } else {
      text += '%';
    }
  }
  return text;
}

}  // namespace zorvitan::cli
