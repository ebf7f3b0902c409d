#include "engine/tag_attributes.h"

#include <algorithm>

#include "engine/text_rules.h"

namespace zorvitan {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = ToLowerAscii(c);
  return lower;
}

std::string WithAmpersands(std::string value) {
  for (std::size_t at = FindNoCase(value, "&amp;"); at != std::string::npos;
       at = FindNoCase(value, "&amp;", at + 1)) {
    value.erase(at + 1, 4);
  }
  return value;
}

}  // namespace

bool AttributeValue(std::string_view attributes, std::string_view name, std::string* value) {
  const std::size_t size = attributes.size();
  std::size_t i = 0;
  while (i < size) {
    while (i < size && (IsSpace(attributes[i]) || attributes[i] == '/')) ++i;
    const std::size_t name_start = i;
    while (i < size && !IsSpace(attributes[i]) && attributes[i] != '=' && attributes[i] != '/') ++i;
    const std::string attribute = Lower(attributes.substr(name_start, i - name_start));
    while (i < size && IsSpace(attributes[i])) ++i;
    std::string_view found;
    if (i < size && attributes[i] == '=') {
      ++i;
      while (i < size && IsSpace(attributes[i])) ++i;
      if (i < size && (attributes[i] == '"' || attributes[i] == '\'')) {
        const char quote = attributes[i++];
        const std::size_t end = std::min(attributes.find(quote, i), size);
        found = attributes.substr(i, end - i);
        i = end + 1;
      } else {
        const std::size_t start = i;
        while (i < size && !IsSpace(attributes[i])) ++i;
        found = attributes.substr(start, i - start);
      }
    }
    if (!attribute.empty() && attribute == name) {
      *value = WithAmpersands(std::string(found));
      return true;
    }
    if (i == name_start) ++i;  // a stray "=" or quote
  }
  return false;
}

}  // namespace zorvitan
