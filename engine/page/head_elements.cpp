#include "engine/page/head_elements.h"

#include "engine/page/character_references.h"
#include "engine/text/text_rules.h"

namespace zorvitan {
namespace {

std::string Trimmed(const std::string& text) { return Trim(text, kHtmlBlanks); }

}  // namespace

bool AttributeValue(const TagAttributes& attributes, std::string_view name, std::string* value) {
  for (const TagAttribute& attribute : attributes) {
    if (!EqualsNoCase(attribute.name, name)) continue;
    *value = attribute.value.find('&') == std::string_view::npos
                 ? std::string(attribute.value)
                 : DecodeCharacterReferences(attribute.value, true);
    return true;
  }
  return false;
}

bool HasWord(std::string_view list, std::string_view word) {
  std::size_t at = 0;
  while (at < list.size()) {
    while (at < list.size() && IsHtmlBlank(list[at])) ++at;
    std::size_t end = at;
    while (end < list.size() && !IsHtmlBlank(list[end])) ++end;
    if (end > at && EqualsNoCase(list.substr(at, end - at), word)) return true;
    at = end;
  }
  return false;
}

bool ContentSaysNoindex(std::string_view content) {
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find_first_of(", \t\r\n;", start);
    if (end == std::string_view::npos) end = content.size();
    const std::string_view token = content.substr(start, end - start);
    if (EqualsNoCase(token, "noindex") || EqualsNoCase(token, "none")) return true;
    start = end + 1;
  }
  return false;
}

bool RefreshUrl(std::string_view content, std::string* url) {
  // "5", "0; url=next.html", "0,'next.html'", "0 URL = next.html": the time,
  // then what stands after ";" or "," is the URL, an "url=" before it optional.
  std::size_t i = 0;
  auto skip_blanks = [&](std::string_view text, std::size_t* at) {
    while (*at < text.size() && IsHtmlBlank(text[*at])) ++*at;
  };
  skip_blanks(content, &i);
  while (i < content.size() && (IsAsciiDigit(content[i]) || content[i] == '.')) ++i;
  skip_blanks(content, &i);
  if (i < content.size() && (content[i] == ';' || content[i] == ',')) ++i;
  skip_blanks(content, &i);
  std::string_view rest = content.substr(i);
  if (rest.size() >= 3 && EqualsNoCase(rest.substr(0, 3), "url")) {
    std::size_t j = 3;
    skip_blanks(rest, &j);
    if (j < rest.size() && rest[j] == '=') {
      ++j;
      skip_blanks(rest, &j);
      rest.remove_prefix(j);
    }
  }
  if (!rest.empty() && (rest[0] == '"' || rest[0] == '\'')) {
    const char quote = rest[0];
    rest.remove_prefix(1);
    rest = rest.substr(0, rest.find(quote));
  }
  const std::string target = Trim(rest, kHtmlBlanks);
  if (target.empty()) return false;
  *url = target;
  return true;
}

void NoteHeadElement(std::string_view element, const TagAttributes& attributes, HeadLinks* links,
                     PageHead* head) {
  std::string value;
  if (element == "meta") {
    if (AttributeValue(attributes, "name", &value)) {
      const std::string name = Trimmed(value);
      std::string content;
      if ((EqualsNoCase(name, "robots") || EqualsNoCase(name, "googlebot")) &&
          AttributeValue(attributes, "content", &content) && ContentSaysNoindex(content)) {
        links->noindex = true;
      } else if (head != nullptr && !head->has_description && EqualsNoCase(name, "description") &&
                 AttributeValue(attributes, "content", &content)) {
        head->has_description = true;
        head->description = std::move(content);
      }
    }
    std::string content;
    if (!links->has_refresh && AttributeValue(attributes, "http-equiv", &value) &&
        EqualsNoCase(Trimmed(value), "refresh") &&
        AttributeValue(attributes, "content", &content)) {
      links->has_refresh = RefreshUrl(content, &links->refresh_url);
    }
  } else if (element == "link") {
    if (!AttributeValue(attributes, "rel", &value)) return;
    std::string href;
    if (!links->has_canonical && HasWord(value, "canonical") &&
        AttributeValue(attributes, "href", &href)) {
      links->has_canonical = true;
      links->canonical_href = Trimmed(href);
    }
    std::string hreflang;
    if (HasWord(value, "alternate") && AttributeValue(attributes, "hreflang", &hreflang)) {
      AttributeValue(attributes, "href", &href);
      // A page that names one alternate names several, mostly: room for them at once.
      if (links->alternates.empty()) links->alternates.reserve(4);
      links->alternates.push_back(HeadAlternate{Trimmed(hreflang), Trimmed(href)});
    }
  } else if (element == "base" && head != nullptr && head->base_href.empty()) {
    if (AttributeValue(attributes, "href", &value)) head->base_href = Trimmed(value);
  }
}

}  // namespace zorvitan
