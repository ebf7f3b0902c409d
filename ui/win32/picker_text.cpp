#include "ui/win32/picker_text.h"

#include "engine/text/text_rules.h"

namespace zorvitan {

void ConvertFilterToDialogForm(std::string& filter) {
  if (filter.empty() || filter.back() != '|') filter += '|';
  for (char& c : filter) {
    if (c == '|') c = '\0';
  }
}

std::string CutAtFirstNul(const std::string& buffer) { return buffer.substr(0, buffer.find('\0')); }

std::string TextFromDialogBuffer(const std::string& buffer) {
  return Trim(CutAtFirstNul(buffer), " ");
}

}  // namespace zorvitan
