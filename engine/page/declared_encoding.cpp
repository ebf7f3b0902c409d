#include "engine/page/declared_encoding.h"

#include <cstring>
#include <string>

#include "engine/text/encoding_labels.h"
#include "engine/text/text_rules.h"

namespace zorvitan {
namespace {

// Reads a page's head the way the browsers' prescan does, giving up quietly
// where the bytes run out. Only a '<' starts anything it acts on, so it jumps
// from one '<' to the next: a page that declares nothing is read to its
// 1024th byte, and most of those bytes are text.
class Prescan {
 public:
  explicit Prescan(std::string_view head) : text_(head) {}

  std::string_view Run() {
    for (;;) {
      if (!At()) return {};
      const void* less_than = std::memchr(text_.data() + at_, '<', text_.size() - at_);
      if (less_than == nullptr) return {};
      at_ = static_cast<std::size_t>(static_cast<const char*>(less_than) - text_.data());
      if (StartsWith("<!--")) {
        // "-->" may share its dashes with the "<!--": "<!-->" is a comment.
        const std::size_t end = text_.find("-->", at_ + 2);
        if (end == std::string_view::npos) return {};
        at_ = end + 3;
        continue;
      }
      if (IsMetaTag()) {
        at_ += 5;
        const std::string_view encoding = Meta();
        if (!encoding.empty()) return encoding;
      } else if (IsTagStart()) {
        // Any other tag: its name, then its attributes, which may hold a ">".
        while (At() && !IsHtmlBlank(Byte()) && Byte() != '>') ++at_;
        while (Attribute(nullptr, nullptr)) {  // read past, not kept
        }
      } else if (StartsWith("<!") || StartsWith("</") || StartsWith("<?")) {
        const std::size_t end = text_.find('>', at_ + 2);
        if (end == std::string_view::npos) return {};
        at_ = end;
      }
      ++at_;
    }
  }

 private:
  bool StartsWith(std::string_view prefix) const {
    return text_.substr(at_, prefix.size()) == prefix;
  }
  // "<" or "</" and a letter.
  bool IsTagStart() const {
    const std::size_t name = StartsWith("</") ? at_ + 2 : at_ + 1;
    return name < text_.size() && IsAsciiLetter(text_[name]);
  }
  // "<meta" in any letter case at the '<' under at_, followed by a blank or "/".
  bool IsMetaTag() const {
    constexpr std::string_view kName = "meta";
    if (text_.size() - at_ < kName.size() + 2) return false;
    for (std::size_t i = 0; i < kName.size(); ++i) {
      if (ToLowerAscii(text_[at_ + 1 + i]) != kName[i]) return false;
    }
    const char after = text_[at_ + 1 + kName.size()];
    return IsHtmlBlank(after) || after == '/';
  }

  // The attributes of one <meta>, and what they declare.
  std::string_view Meta() {
    std::string seen;  // names already taken, each followed by a blank
    bool got_pragma = false;
    enum { kUnknown, kNeeded, kNotNeeded } need_pragma = kUnknown;
    bool charset_named = false;  // the first naming counts, even of a label nobody knows
    std::string_view charset;
    std::string name, value;
    while (Attribute(&name, &value)) {
      const std::string key = name + ' ';
      if (seen.find(' ' + key) != std::string::npos) continue;
      seen += ' ' + key;
      if (name == "http-equiv") {
        if (value == "content-type") got_pragma = true;
      } else if (name == "content") {
        std::string_view label;
        if (!charset_named && CharsetInContent(value, &label)) {
          charset_named = true;
          charset = EncodingForLabel(label);
          need_pragma = kNeeded;
        }
      } else if (name == "charset" && !charset_named) {
        charset_named = true;
        charset = EncodingForLabel(value);
        need_pragma = kNotNeeded;
      }
    }
    if (need_pragma == kUnknown || (need_pragma == kNeeded && !got_pragma)) return {};
    if (charset == kUtf16Le || charset == kUtf16Be) return kUtf8;
    if (charset == "x-user-defined") return "windows-1252";
    return charset;
  }

  // The next attribute of a tag, its name and value in lower case (when
  // asked for); false at the tag's ">" or where the bytes end.
  bool Attribute(std::string* name, std::string* value) {
    if (value != nullptr) value->clear();
    while (At() && (IsHtmlBlank(Byte()) || Byte() == '/')) ++at_;
    if (!At() || Byte() == '>') return false;
    const std::size_t start = at_++;  // the first byte is the name's, an '=' too
    while (At() && !IsHtmlBlank(Byte()) && Byte() != '/' && Byte() != '>' && Byte() != '=') ++at_;
    AssignLower(text_.substr(start, at_ - start), name);
    if (!At()) return false;
    if (Byte() == '/' || Byte() == '>') return true;
    while (At() && IsHtmlBlank(Byte())) ++at_;
    if (!At()) return false;
    if (Byte() != '=') return true;
    ++at_;
    return Value(value);
  }

  bool Value(std::string* value) {
    while (At() && IsHtmlBlank(Byte())) ++at_;
    if (!At()) return false;
    const char quote = Byte();
    if (quote == '"' || quote == '\'') {
      const std::size_t end = text_.find(quote, at_ + 1);
      if (end == std::string_view::npos) {
        at_ = text_.size();
        return false;
      }
      AssignLower(text_.substr(at_ + 1, end - at_ - 1), value);
      at_ = end + 1;
      return true;
    }
    if (quote == '>') return true;
    const std::size_t start = at_;
    while (At() && !IsHtmlBlank(Byte()) && Byte() != '>') ++at_;
    AssignLower(text_.substr(start, at_ - start), value);
    return At();
  }

  static void AssignLower(std::string_view text, std::string* out) {
    if (out == nullptr) return;
    *out = LowerAscii(text);
  }

  // The label behind "charset=" in a Content-Type value.
  static bool CharsetInContent(std::string_view content, std::string_view* label) {
    for (std::size_t at = 0;;) {
      at = FindNoCase(content, "charset", at);
      if (at == std::string_view::npos) return false;
      at += 7;
      while (at < content.size() && IsHtmlBlank(content[at])) ++at;
      if (at >= content.size() || content[at] != '=') continue;
      ++at;
      while (at < content.size() && IsHtmlBlank(content[at])) ++at;
      if (at >= content.size()) return false;
      const char quote = content[at];
      if (quote == '"' || quote == '\'') {
        const std::size_t end = content.find(quote, at + 1);
        if (end == std::string_view::npos) return false;
        *label = content.substr(at + 1, end - at - 1);
        return true;
      }
      std::size_t end = at;
      while (end < content.size() && !IsHtmlBlank(content[end]) && content[end] != ';') ++end;
      *label = content.substr(at, end - at);
      return true;
    }
  }

  bool At() const { return at_ < text_.size(); }
  char Byte() const { return text_[at_]; }

  std::string_view text_;
  std::size_t at_ = 0;
};

// Whether "charset" stands in the text, in any letter case; memchr finds the
// few places where it could start.
bool NamesCharset(std::string_view text) {
  constexpr std::string_view kWord = "charset";
  if (text.size() < kWord.size()) return false;
  const std::size_t last = text.size() - kWord.size();
  for (const char first : {'c', 'C'}) {
    for (std::size_t at = 0; at <= last;) {
      const void* hit = std::memchr(text.data() + at, first, last + 1 - at);
      if (hit == nullptr) break;
      at = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
      if (EqualsNoCase(text.substr(at + 1, kWord.size() - 1), kWord.substr(1))) return true;
      ++at;
    }
  }
  return false;
}

}  // namespace

std::string_view EncodingOfByteOrderMark(std::string_view head, std::size_t* length) {
  *length = 0;
  if (head.substr(0, 3) == "\xEF\xBB\xBF") {
    *length = 3;
    return kUtf8;
  }
  if (head.substr(0, 2) == "\xFF\xFE") {
    *length = 2;
    return kUtf16Le;
  }
  if (head.substr(0, 2) == "\xFE\xFF") {
    *length = 2;
    return kUtf16Be;
  }
  return {};
}

std::string_view EncodingOfMeta(std::string_view head) {
  head = head.substr(0, kEncodingPrescanBytes);
  // Every declaration names "charset": where the word is missing, as on many
  // old pages, there is nothing to read.
  if (!NamesCharset(head)) return {};
  return Prescan(head).Run();
}

std::string_view DeclaredEncoding(std::string_view head) {
  std::size_t mark_length = 0;
  const std::string_view marked = EncodingOfByteOrderMark(head, &mark_length);
  return marked.empty() ? EncodingOfMeta(head) : marked;
}

}  // namespace zorvitan
