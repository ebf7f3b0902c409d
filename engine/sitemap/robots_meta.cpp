#include "engine/sitemap/robots_meta.h"

#include <cstring>
#include <string_view>

#include "engine/tag_attributes.h"
#include "engine/text_rules.h"

namespace zorvitan {
namespace {

constexpr std::size_t kFirstRead = 4 * 1024;
constexpr std::size_t npos = std::string::npos;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == ':' || c == '_';
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = ToLowerAscii(c);
  return lower;
}

// Elements a head may hold; any other start tag begins the body.
bool StaysInHead(const std::string& name) {
  static const char* const kHeadElements[] = {"html",  "head",   "base",  "link",     "meta",
                                              "style", "script", "title", "noscript", "template"};
  for (const char* element : kHeadElements) {
    if (name == element) return true;
  }
  return false;
}

// Elements whose text is not markup: skipped up to their end tag.
bool HasRawText(const std::string& name) {
  return name == "script" || name == "style" || name == "title" || name == "template";
}

// Where the tag whose attributes start at `from` ends (its ">"), or npos when
// that is not in `text` yet. A ">" inside a quoted value does not end it.
std::size_t TagEnd(std::string_view text, std::size_t from) {
  char quote = 0;
  bool after_equals = false;
  for (std::size_t i = from; i < text.size(); ++i) {
    const char c = text[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '>') {
      return i;
    } else if (c == '=') {
      after_equals = true;
    } else if (after_equals && (c == '"' || c == '\'')) {
      quote = c;
      after_equals = false;
    } else if (!IsSpace(c)) {
      after_equals = false;
    }
  }
  return npos;
}

bool ContentSaysNoindex(const std::string& content) {
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find_first_of(", \t\r\n;", start);
    if (end == npos) end = content.size();
    const std::string token = Lower(std::string_view(content).substr(start, end - start));
    if (token == "noindex" || token == "none") return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

bool MetaSaysNoindex(const std::string& attributes) {
  std::string name, content;
  AttributeValue(attributes, "name", &name);
  AttributeValue(attributes, "content", &content);
  name = Lower(Trim(name, " \t\r\n\f"));
  return (name == "robots" || name == "googlebot") && ContentSaysNoindex(content);
}

bool HeadScanner::Feed(const char* data, std::size_t size) {
  if (settled_) return true;
  pending_.append(data, size);
  pending_.erase(0, Scan());
  // A tag that never ends is no head: stop rather than hold the page.
  if (!settled_ && pending_.size() > kLongestTag) settled_ = true;
  return settled_;
}

std::size_t HeadScanner::SkipTo(std::size_t at, const std::string& terminator) {
  const std::size_t found = FindNoCase(pending_, terminator, at);
  return found == npos ? npos : found + terminator.size();
}

std::size_t HeadScanner::Scan() {
  std::size_t pos = 0;
  while (pos < pending_.size() && !settled_) {
    if (mode_ != Mode::kMarkup) {
      const std::size_t end = SkipTo(pos, raw_end_);
      if (end == npos) {
        // Keep only what the end could start in.
        const std::size_t keep = raw_end_.size() - 1;
        return pending_.size() > pos + keep ? pending_.size() - keep : pos;
      }
      pos = end;
      mode_ = Mode::kMarkup;
      continue;
    }
    const void* open = std::memchr(pending_.data() + pos, '<', pending_.size() - pos);
    if (open == nullptr) return pending_.size();
    pos = static_cast<std::size_t>(static_cast<const char*>(open) - pending_.data());
    const std::size_t next = Tag(pos);
    if (next == npos) return pos;
    pos = next;
  }
  return settled_ ? pending_.size() : pos;
}

std::size_t HeadScanner::Tag(std::size_t at) {
  const std::string_view text = pending_;
  if (at + 4 > text.size()) return npos;  // enough to tell "<!--" from the rest
  if (text.compare(at, 4, "<!--") == 0) {
    mode_ = Mode::kComment;
    raw_end_ = "-->";
    return at + 4;
  }
  const char kind = text[at + 1];
  if (kind == '!' || kind == '?') {  // a doctype or a processing instruction
    const std::size_t end = text.find('>', at + 2);
    return end == npos ? npos : end + 1;
  }
  const bool closing = kind == '/';
  const std::size_t name_start = at + (closing ? 2 : 1);
  if (name_start >= text.size()) return npos;
  if (!IsNameChar(text[name_start]) || (text[name_start] >= '0' && text[name_start] <= '9')) {
    return at + 1;  // a "<" of text
  }
  std::size_t name_end = name_start;
  while (name_end < text.size() && IsNameChar(text[name_end])) ++name_end;
  if (name_end == text.size()) return npos;
  const std::string name = Lower(text.substr(name_start, name_end - name_start));
  const std::size_t end = TagEnd(text, name_end);
  if (end == npos) return npos;
  if (closing) {
    if (name == "head") settled_ = true;
  } else if (name == "meta") {
    if (MetaSaysNoindex(std::string(text.substr(name_end, end - name_end)))) {
      noindex_ = true;
      settled_ = true;
    } else if (listener_) {
      listener_(name, text.substr(name_end, end - name_end));
    }
  } else if (name == "link" && listener_) {
    listener_(name, text.substr(name_end, end - name_end));
  } else if (!StaysInHead(name)) {
    settled_ = true;
  } else if (HasRawText(name)) {
    mode_ = Mode::kRawText;
    raw_end_ = "</" + name;
  }
  return end + 1;
}

ReadResult ReadPageRobots(Platform& platform, const std::string& path, std::string* chunk,
                          bool* noindex) {
  HeadScanner scanner;
  const ReadResult result = ScanPage(platform, path, kFirstRead, chunk, &scanner);
  *noindex = result == ReadResult::kOk && scanner.Noindex();
  return result;
}

}  // namespace zorvitan
