#include "ui/win32/picker_text.h"

namespace zorvitan {

void ConvertFilterToDialogForm(std::string& filter) {
  if (filter.empty() || filter.back() != '|') filter += '|';
  for (char& c : filter) {
    if (c == '|') c = '\0';
  }
}

std::string CutAtFirstNul(const std::string& buffer) { return buffer.substr(0, buffer.find('\0')); }

std::string TrimSpaces(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string TextFromDialogBuffer(const std::string& buffer) {
  return TrimSpaces(CutAtFirstNul(buffer));
}

}  // namespace zorvitan
