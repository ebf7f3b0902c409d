#include "engine/sitemap/page_head.h"

#include "engine/sitemap/robots_meta.h"
#include "engine/tag_attributes.h"
#include "engine/text_rules.h"

namespace zorvitan {
namespace {

constexpr std::size_t kFirstRead = 4 * 1024;
const char kSpaces[] = " \t\r\n\f";

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = ToLowerAscii(c);
  return lower;
}

}  // namespace

bool MetaRefreshUrl(std::string_view attributes, std::string* url) {
  std::string equiv, content;
  if (!AttributeValue(attributes, "http-equiv", &equiv) ||
      Lower(Trim(equiv, kSpaces)) != "refresh" ||
      !AttributeValue(attributes, "content", &content)) {
    return false;
  }
  // "5", "0; url=next.html", "0,'next.html'", "0 URL = next.html": the time,
  // then what stands after ";" or "," is the URL, an "url=" before it optional.
  std::size_t i = 0;
  while (i < content.size() && IsSpace(content[i])) ++i;
  while (i < content.size() && ((content[i] >= '0' && content[i] <= '9') || content[i] == '.')) ++i;
  while (i < content.size() && IsSpace(content[i])) ++i;
  if (i < content.size() && (content[i] == ';' || content[i] == ',')) ++i;
  while (i < content.size() && IsSpace(content[i])) ++i;
  std::string_view rest = std::string_view(content).substr(i);
  if (rest.size() >= 3 && Lower(rest.substr(0, 3)) == "url") {
    std::size_t j = 3;
    while (j < rest.size() && IsSpace(rest[j])) ++j;
    if (j < rest.size() && rest[j] == '=') {
      ++j;
      while (j < rest.size() && IsSpace(rest[j])) ++j;
      rest.remove_prefix(j);
    }
  }
  if (!rest.empty() && (rest[0] == '"' || rest[0] == '\'')) {
    const char quote = rest[0];
    rest.remove_prefix(1);
    rest = rest.substr(0, rest.find(quote));
  }
  const std::string target = Trim(rest, kSpaces);
  if (target.empty()) return false;
  *url = target;
  return true;
}

bool LinkCanonicalHref(std::string_view attributes, std::string* href) {
  std::string rel;
  if (!AttributeValue(attributes, "rel", &rel)) return false;
  const std::string words = " " + Lower(rel) + " ";
  bool canonical = false;
  for (std::size_t start = 0; start < words.size();) {
    std::size_t end = start;
    while (end < words.size() && !IsSpace(words[end])) ++end;
    if (words.compare(start, end - start, "canonical") == 0) canonical = true;
    start = end + 1;
  }
  if (!canonical || !AttributeValue(attributes, "href", href)) return false;
  *href = Trim(*href, kSpaces);
  return true;
}

ReadResult ReadPageHead(Platform& platform, const std::string& path, std::string* chunk,
                        PageHead* head) {
  *head = PageHead();
  HeadScanner scanner;
  scanner.SetTagListener([head](std::string_view name, std::string_view attributes) {
    if (name == "meta") {
      if (!head->redirects) head->redirects = MetaRefreshUrl(attributes, &head->redirect_url);
    } else if (!head->has_canonical) {
      head->has_canonical = LinkCanonicalHref(attributes, &head->canonical_href);
    }
  });
  const ReadResult result = ScanPage(platform, path, kFirstRead, chunk, &scanner);
  if (result != ReadResult::kOk) {
    *head = PageHead();
  } else {
    head->noindex = scanner.Noindex();
  }
  return result;
}

}  // namespace zorvitan
