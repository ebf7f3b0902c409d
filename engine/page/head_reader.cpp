#include "engine/page/head_reader.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/declared_encoding.h"
#include "engine/encoding_labels.h"
#include "engine/page/character_references.h"
#include "engine/page/head_elements.h"
#include "engine/page_stream.h"
#include "engine/text_conversion.h"
#include "engine/text_rules.h"

namespace zorvitan {
namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::size_t kFirstTitleRead = 16 * 1024;
constexpr std::size_t kFirstHeadRead = 4 * 1024;
// How far past the head's end a misplaced head element is still looked for,
// when the author's </head> or <body> does not come first.
constexpr std::size_t kPastHeadSearch = 16 * 1024;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

template <std::size_t N>
bool IsOneOf(std::string_view name, const char* const (&names)[N]) {
  for (const char* candidate : names) {
    if (name == candidate) return true;
  }
  return false;
}

// Elements whose text the tokenizer takes as raw text (scripting enabled, as
// in browsers), or as escapable raw text (RCDATA).
bool HasRawText(std::string_view name) {
  static const char* const kNames[] = {"style",    "xmp",      "iframe",   "noembed",
                                       "noframes", "noscript", "textarea", "title"};
  return IsOneOf(name, kNames);
}

bool IsVoid(std::string_view name) {
  static const char* const kNames[] = {"area",  "base",  "basefont", "bgsound", "br",    "col",
                                       "embed", "frame", "hr",       "img",     "input", "keygen",
                                       "link",  "meta",  "param",    "source",  "track", "wbr"};
  return IsOneOf(name, kNames);
}

// HTML start tags that end SVG or MathML content.
bool BreaksOutOfForeign(std::string_view name, const TagAttributes& attributes) {
  static const char* const kNames[] = {
      "b",      "big",  "blockquote", "body",  "br",   "center", "code",    "dd",   "div",
      "dl",     "dt",   "em",         "embed", "h1",   "h2",     "h3",      "h4",   "h5",
      "h6",     "head", "hr",         "i",     "img",  "li",     "listing", "menu", "meta",
      "nobr",   "ol",   "p",          "pre",   "ruby", "s",      "small",   "span", "strong",
      "strike", "sub",  "sup",        "table", "tt",   "u",      "ul",      "var"};
  if (IsOneOf(name, kNames)) return true;
  if (name != "font") return false;
  for (const TagAttribute& attribute : attributes) {
    if (attribute.name == "color" || attribute.name == "face" || attribute.name == "size") {
      return true;
    }
  }
  return false;
}

// Where the HTML tokenizer is between tags.
enum class Content {
  kMarkup,     // tags and text
  kRawText,    // up to the end tag of raw_name_ (raw text and RCDATA alike)
  kScript,     // script data, with its escapes
  kComment,    // up to "-->" or "--!>"
  kBogus,      // a bogus comment or a DOCTYPE: up to ">"
  kCdata,      // a CDATA section in SVG or MathML: up to "]]>"
  kPlaintext,  // the rest of the page is text
};

// Script data's states past the plain one: after "<!--" (escaped) and after
// "<!--<script" (double escaped), each with the dashes seen.
enum class Script {
  kData,
  kEscaped,
  kEscapedDash,
  kEscapedDashDash,
  kDouble,
  kDoubleDash,
  kDoubleDashDash
};

// Where the tree builder is, as far as the head is concerned.
enum class Phase { kBeforeHead, kInHead, kAfterHead, kBody, kFrameset };

// Start tags in the body after which a <frameset> no longer replaces the body.
bool EndsFramesetOk(std::string_view name, const TagAttributes& attributes) {
  static const char* const kNames[] = {"pre",    "listing", "li",     "dd",    "dt",   "button",
                                       "applet", "marquee", "object", "table", "area", "br",
                                       "embed",  "img",     "keygen", "wbr",   "hr",   "textarea",
                                       "xmp",    "iframe",  "select", "image", "body"};
  if (IsOneOf(name, kNames)) return true;
  if (name != "input") return false;
  for (const TagAttribute& attribute : attributes) {
    if (attribute.name != "type") continue;
    std::string_view type = attribute.value;
    return !(type.size() == 6 && (type[0] | 0x20) == 'h' && (type[1] | 0x20) == 'i' &&
             (type[2] | 0x20) == 'd' && (type[3] | 0x20) == 'd' && (type[4] | 0x20) == 'e' &&
             (type[5] | 0x20) == 'n');
  }
  return true;
}

struct ForeignElement {
  std::string name;
  char space;  // 'h' HTML (inside an integration point), 's' SVG, 'm' MathML
  bool integration_point;
};

}  // namespace

class HeadReader::Impl {
 public:
  explicit Impl(unsigned needs) : needs_(needs) {}

  bool Feed(const char* data, std::size_t size) {
    if (settled_) return true;
    if (start_.size() < kEncodingPrescanBytes) {
      start_.append(data, std::min(size, kEncodingPrescanBytes - start_.size()));
    }
    if (pending_.empty()) {
      const std::size_t used = Scan(std::string_view(data, size), false);
      if (!settled_) pending_.assign(data + used, size - used);
      Advance(std::string_view(data, used));
    } else {
      pending_.append(data, size);
      const std::size_t used = Scan(pending_, false);
      Advance(std::string_view(pending_).substr(0, used));
      pending_.erase(0, used);
    }
    // A token that never ends is no head: stop rather than hold the page.
    if (!settled_ && pending_.size() > kLongestTag && content_ == Content::kMarkup) Settle();
    if (settled_) pending_ = std::string();
    return settled_;
  }

  void Finish() {
    if (!settled_) {
      const std::size_t used = Scan(pending_, true);
      Advance(std::string_view(pending_).substr(0, used));
      pending_ = std::string();
      // What is still open ends with the page: an unclosed title runs to its end.
      if (in_title_) EndTitle();
    }
    Settle();
  }

  bool Settled() const { return settled_; }
  const PageHead& Head() const { return head_; }
  bool NeedsReread() const { return head_.has_title && dropped_ > 0; }
  std::size_t TitleOffset() const { return title_offset_; }
  std::size_t TitleLength() const { return title_length_; }
  const std::string& Start() const { return start_; }

 private:
  // Works through `text` (the bytes from offset_ on) from its start, token by
  // token; returns how many bytes it is done with. The rest waits for more
  // bytes, unless `at_end`.
  std::size_t Scan(std::string_view text, bool at_end) {
    text_ = text;
    at_end_ = at_end;
    std::size_t at = 0;
    if (offset_ == 0 && !bom_checked_) {  // a UTF-8 byte-order mark is no text
      const std::string_view bom = "\xEF\xBB\xBF";
      if (text.size() < bom.size() && !at_end && bom.substr(0, text.size()) == text) return 0;
      bom_checked_ = true;
      if (text.substr(0, bom.size()) == bom) at = bom.size();
    }
    while (at < text.size() && !settled_) {
      std::size_t next = npos;
      const Content before = content_;
      switch (content_) {
        case Content::kMarkup:
          next = Markup(at);
          break;
        case Content::kRawText:
          next = RawText(at);
          break;
        case Content::kScript:
          next = ScriptData(at);
          break;
        case Content::kComment:
          next = SkipComment(at);
          break;
        case Content::kBogus:
          next = SkipTo(at, ">");
          break;
        case Content::kCdata:
          next = SkipTo(at, "]]>");
          break;
        case Content::kPlaintext:
          next = text.size();
          break;
      }
      if (next == npos || (next == at && content_ == before)) break;  // more bytes needed
      at = next;
    }
    if (settled_) return text.size();
    return at;
  }

  // Counts the lines of the bytes done with while the head's end is to come
  // and still matters.
  void Advance(std::string_view done) {
    if (!settled_ && head_.end.kind == HeadEnd::kNotReached) line_ = LineAt(done, done.size());
    offset_ += done.size();
  }

  // The line number at `at` in `text`, counting from line_ (CR LF, CR and LF
  // each end a line).
  std::size_t LineAt(std::string_view text, std::size_t at) {
    std::size_t line = line_;
    const std::string_view part = text.substr(0, at);
    if (part.find('\r') == std::string_view::npos) {
      line += static_cast<std::size_t>(std::count(part.begin(), part.end(), '\n'));
      if (after_cr_ && !part.empty() && part[0] == '\n') --line;
      if (at == text.size() && !part.empty()) after_cr_ = false;
      return line;
    }
    bool after_cr = after_cr_;
    for (const char c : part) {
      if (c == '\r' || (c == '\n' && !after_cr)) ++line;
      after_cr = c == '\r';
    }
    if (at == text.size()) after_cr_ = after_cr;
    return line;
  }

  // Markup: text up to the next '<', then the token it opens.
  std::size_t Markup(std::size_t at) {
    const void* open = std::memchr(text_.data() + at, '<', text_.size() - at);
    const std::size_t lt =
        open == nullptr ? text_.size() : static_cast<const char*>(open) - text_.data();
    if (lt > at) {
      const std::size_t done = Text(at, lt);
      if (done < lt) return done;  // a character reference the bytes cut
    }
    if (lt == text_.size() || settled_) return lt;
    // Past the head's end, misplaced head elements are looked for only so far.
    if (past_head_open_ && offset_ + lt > past_head_limit_) {
      ClosePastHead();
      if (settled_) return lt;
    }
    if (lt + 2 >= text_.size() && !at_end_) return lt;  // too few bytes to tell
    if (lt + 1 >= text_.size()) return TextToEnd(lt);
    const char next = text_[lt + 1];
    if (IsAsciiLetter(next)) return Tag(lt, false);
    if (next == '/') {
      if (lt + 2 >= text_.size()) return TextToEnd(lt);
      if (IsAsciiLetter(text_[lt + 2])) return Tag(lt, true);
      if (text_[lt + 2] == '>') return lt + 3;  // "</>" is nothing
      content_ = Content::kBogus;
      return lt + 2;
    }
    if (next == '!') return MarkupDeclaration(lt);
    if (next == '?') {
      content_ = Content::kBogus;
      return lt + 2;
    }
    Text(lt, lt + 1);  // a '<' of text
    return lt + 1;
  }

  std::size_t TextToEnd(std::size_t from) {
    Text(from, text_.size());
    return text_.size();
  }

  std::size_t MarkupDeclaration(std::size_t lt) {
    const std::string_view rest = text_.substr(lt + 2);
    auto starts = [&](std::string_view prefix, bool any_case) {
      if (rest.size() < prefix.size()) return false;
      for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (any_case ? ToLowerAscii(rest[i]) != prefix[i] : rest[i] != prefix[i]) return false;
      }
      return true;
    };
    // Enough bytes to tell a comment and a CDATA section from a bogus comment.
    if (!at_end_) {
      if (rest.size() < 2 && std::string_view("--").substr(0, rest.size()) == rest) return lt;
      if (rest.size() < 7 && InForeignContent() &&
          std::string_view("[CDATA[").substr(0, rest.size()) == rest) {
        return lt;
      }
    }
    if (starts("--", false)) {
      content_ = Content::kComment;
      comment_start_ = true;
      return lt + 4;
    }
    if (starts("[CDATA[", false) && InForeignContent()) {
      content_ = Content::kCdata;
      return lt + 9;
    }
    content_ = Content::kBogus;  // a DOCTYPE too ends at its first '>'
    return lt + 2;
  }

  // "<!-->" and "<!--->" are whole comments; later a comment ends at "-->" or "--!>".
  std::size_t SkipComment(std::size_t at) {
    const std::size_t size = text_.size();
    if (comment_start_) {
      if (at + 2 > size && !at_end_) return at;
      comment_start_ = false;
      if (text_.compare(at, 1, ">") == 0) return End(at + 1);
      if (text_.compare(at, 2, "->") == 0) return End(at + 2);
    }
    for (std::size_t i = text_.find("--", at); i != npos && i + 2 < size;
         i = text_.find("--", i + 1)) {
      if (text_[i + 2] == '>') return End(i + 3);
      if (text_[i + 2] == '!' && i + 3 < size && text_[i + 3] == '>') return End(i + 4);
    }
    if (at_end_) return End(size);
    return std::max(at, size >= 3 ? size - 3 : 0);  // what the end could start in
  }

  std::size_t SkipTo(std::size_t at, std::string_view terminator) {
    const std::size_t found = text_.find(terminator, at);
    if (found != npos) return End(found + terminator.size());
    if (at_end_) return End(text_.size());
    const std::size_t keep = terminator.size() - 1;
    return std::max(at, text_.size() >= keep ? text_.size() - keep : 0);
  }

  std::size_t End(std::size_t at) {
    content_ = Content::kMarkup;
    return at;
  }

  // Whether "</name" followed by a blank, '/' or '>' stands at `lt`: 1 yes,
  // 0 no, -1 not enough bytes to tell.
  int EndTagAt(std::size_t lt, std::string_view name) const {
    const std::size_t need = lt + 2 + name.size();
    if (need >= text_.size()) {
      if (at_end_) return 0;
      for (std::size_t i = lt + 1; i < text_.size(); ++i) {
        const std::size_t k = i - lt - 2;
        if (i == lt + 1 ? text_[i] != '/' : ToLowerAscii(text_[i]) != name[k]) return 0;
      }
      return -1;
    }
    if (text_[lt + 1] != '/') return 0;
    for (std::size_t k = 0; k < name.size(); ++k) {
      if (ToLowerAscii(text_[lt + 2 + k]) != name[k]) return 0;
    }
    const char after = text_[need];
    return IsBlank(after) || after == '/' || after == '>' ? 1 : 0;
  }

  // Raw text and RCDATA: up to the end tag of the element that opened it.
  std::size_t RawText(std::size_t at) {
    for (std::size_t from = at;;) {
      const void* open = std::memchr(text_.data() + from, '<', text_.size() - from);
      if (open == nullptr) return RawTextUpTo(at, text_.size());
      const std::size_t lt = static_cast<const char*>(open) - text_.data();
      const int end = EndTagAt(lt, raw_name_);
      if (end < 0) return RawTextUpTo(at, lt);
      if (end > 0) {
        RawTextUpTo(at, lt);
        if (in_title_) EndTitle();
        content_ = Content::kMarkup;
        return lt;  // the end tag is read as a tag
      }
      from = lt + 1;
    }
  }

  std::size_t RawTextUpTo(std::size_t at, std::size_t end) {
    if (in_title_) AddTitleBytes(text_.substr(at, end - at));
    return end;
  }

  // Script data, with the states that "<!--" and "<!--<script" open.
  std::size_t ScriptData(std::size_t at) {
    std::size_t i = at;
    while (i < text_.size()) {
      if (script_ == Script::kData) {
        const void* open = std::memchr(text_.data() + i, '<', text_.size() - i);
        if (open == nullptr) return text_.size();
        i = static_cast<const char*>(open) - text_.data();
      }
      const char c = text_[i];
      if (c == '<') {
        const std::size_t next = ScriptLessThan(i);
        if (next == npos) return i;                  // more bytes needed
        if (content_ != Content::kScript) return i;  // the end tag is read as a tag
        i = next;
        continue;
      }
      switch (script_) {
        case Script::kData:
          break;
        case Script::kEscaped:
          if (c == '-') script_ = Script::kEscapedDash;
          break;
        case Script::kEscapedDash:
          script_ = c == '-' ? Script::kEscapedDashDash : Script::kEscaped;
          break;
        case Script::kEscapedDashDash:
          if (c == '>')
            script_ = Script::kData;
          else if (c != '-')
            script_ = Script::kEscaped;
          break;
        case Script::kDouble:
          if (c == '-') script_ = Script::kDoubleDash;
          break;
        case Script::kDoubleDash:
          script_ = c == '-' ? Script::kDoubleDashDash : Script::kDouble;
          break;
        case Script::kDoubleDashDash:
          if (c == '>')
            script_ = Script::kData;
          else if (c != '-')
            script_ = Script::kDouble;
          break;
      }
      ++i;
    }
    return i;
  }

  // A '<' in script data: where to go on, or npos when more bytes are needed.
  std::size_t ScriptLessThan(std::size_t lt) {
    const bool doubled = script_ == Script::kDouble || script_ == Script::kDoubleDash ||
                         script_ == Script::kDoubleDashDash;
    const int end = EndTagAt(lt, "script");
    if (end < 0) return npos;
    if (end > 0) {
      if (doubled) {  // "</script>" only leaves the double escape
        script_ = Script::kEscaped;
        return lt + 8;
      }
      content_ = Content::kMarkup;
      return lt;
    }
    if (script_ == Script::kData) {
      if (lt + 4 > text_.size() && !at_end_) return npos;
      if (text_.compare(lt, 4, "<!--") == 0) {
        script_ = Script::kEscapedDashDash;
        return lt + 4;
      }
      return lt + 1;
    }
    if (doubled) {
      script_ = Script::kDouble;
      return lt + 1;
    }
    // Escaped: "<script" followed by a blank, '/' or '>' escapes once more.
    if (lt + 8 > text_.size() && !at_end_) return npos;
    script_ = Script::kEscaped;
    if (lt + 8 <= text_.size()) {
      bool script = true;
      for (std::size_t k = 0; k < 6; ++k) {
        if (ToLowerAscii(text_[lt + 1 + k]) != "script"[k]) script = false;
      }
      const char after = text_[lt + 7];
      if (script && (IsBlank(after) || after == '/' || after == '>')) {
        script_ = Script::kDouble;
        return lt + 7;
      }
    }
    return lt + 1;
  }

  // Text between tags: a character other than a blank ends the head, and
  // keeps a later <frameset> from replacing the body.
  // Returns where it is done: `to`, or a reference that may go on past it.
  std::size_t Text(std::size_t from, std::size_t to) {
    const bool head_open = head_.end.kind == HeadEnd::kNotReached;
    if (head_open ? !templates_.empty() || !foreign_.empty() : !frameset_ok_) return to;
    if (phase_ == Phase::kFrameset) return to;
    for (std::size_t i = from; i < to; ++i) {
      if (IsBlank(text_[i])) continue;
      if (text_[i] == '&' && head_open) {  // "&#32;" is a blank too
        const std::size_t reference = BlankReference(i, to);
        if (reference == npos) return i;
        if (reference > 0) {
          i += reference - 1;
          continue;
        }
      }
      if (head_open) EndHead(HeadEnd::kText, "", i);
      frameset_ok_ = false;
      return to;
    }
    return to;
  }

  // The length of a character reference at `at` that stands for blanks only;
  // 0 when it is none, npos when the bytes may end inside it.
  std::size_t BlankReference(std::size_t at, std::size_t to) const {
    std::size_t end = at + 1;
    while (end < to && end - at < 40 &&
           (IsAsciiLetter(text_[end]) || (text_[end] >= '0' && text_[end] <= '9') ||
            text_[end] == '#')) {
      ++end;
    }
    if (end == text_.size() && !at_end_) return npos;
    std::string decoded;
    const std::size_t length = DecodeCharacterReference(text_.substr(0, to), at, false, &decoded);
    if (length == 0 || decoded.empty()) return 0;
    for (const char c : decoded) {
      if (!IsBlank(c)) return 0;
    }
    return length;
  }

  // A start or end tag at `lt`: its name and attributes as the tokenizer
  // reads them. Returns the offset behind it, or `lt` when it is not whole yet.
  std::size_t Tag(std::size_t lt, bool closing) {
    std::size_t i = lt + (closing ? 2 : 1);
    const std::size_t size = text_.size();
    name_.clear();
    while (i < size && !IsBlank(text_[i]) && text_[i] != '/' && text_[i] != '>') {
      name_ += ToLowerAscii(text_[i]);
      ++i;
    }
    attributes_.clear();
    bool self_closing = false;
    for (;;) {
      while (i < size && IsBlank(text_[i])) ++i;
      if (i >= size) return TagCut(lt);
      if (text_[i] == '>') break;
      if (text_[i] == '/') {
        ++i;
        if (i >= size) return TagCut(lt);
        if (text_[i] == '>') {
          self_closing = true;
          break;
        }
        continue;
      }
      // A name: '=' may be its first character.
      const std::size_t name_start = i++;
      while (i < size && !IsBlank(text_[i]) && text_[i] != '/' && text_[i] != '>' &&
             text_[i] != '=') {
        ++i;
      }
      const std::size_t name_end = i;
      while (i < size && IsBlank(text_[i])) ++i;
      if (i >= size) return TagCut(lt);
      std::string_view value;
      if (text_[i] == '=') {
        ++i;
        while (i < size && IsBlank(text_[i])) ++i;
        if (i >= size) return TagCut(lt);
        if (text_[i] == '"' || text_[i] == '\'') {
          const std::size_t close = text_.find(text_[i], i + 1);
          if (close == npos) return TagCut(lt);
          value = text_.substr(i + 1, close - i - 1);
          i = close + 1;
        } else if (text_[i] != '>') {
          const std::size_t start = i;
          while (i < size && !IsBlank(text_[i]) && text_[i] != '>') ++i;
          if (i >= size) return TagCut(lt);
          value = text_.substr(start, i - start);
        }
      }
      AddAttribute(text_.substr(name_start, name_end - name_start), value);
    }
    const std::size_t after = i + 1;
    if (after - lt > kLongestTag) {  // a broken page, not a head
      Settle();
      return text_.size();
    }
    tag_end_ = offset_ + after;
    if (closing) {
      EndTag(lt);
    } else {
      StartTag(lt, self_closing);
    }
    return after;
  }

  std::size_t TagCut(std::size_t lt) {
    if (at_end_) return text_.size();  // a tag cut by the page's end is dropped
    return lt;
  }

  // Attribute names are kept in lower case; the first of a name counts.
  void AddAttribute(std::string_view name, std::string_view value) {
    bool lower = true;
    for (const char c : name) lower = lower && !(c >= 'A' && c <= 'Z');
    if (!lower) {
      lowered_.emplace_back(name);
      for (char& c : lowered_.back()) c = ToLowerAscii(c);
      name = lowered_.back();
    }
    for (const TagAttribute& attribute : attributes_) {
      if (attribute.name == name) return;
    }
    attributes_.push_back(TagAttribute{name, value});
  }

  bool InForeignContent() const {
    return !foreign_.empty() && foreign_.back().space != 'h' && !foreign_.back().integration_point;
  }

  void StartTag(std::size_t lt, bool self_closing) {
    if (InForeignContent()) {
      if (!BreaksOutOfForeign(name_, attributes_)) {
        if (!self_closing) {
          const char space = foreign_.back().space;
          foreign_.push_back(ForeignElement{name_, space, IsIntegrationPoint(space)});
        }
        ClearTag();
        return;
      }
      while (InForeignContent()) foreign_.pop_back();
    }
    HtmlStartTag(lt, self_closing);
    ClearTag();
  }

  bool IsIntegrationPoint(char space) const {
    if (space == 's') return name_ == "foreignobject" || name_ == "desc" || name_ == "title";
    if (name_ == "mi" || name_ == "mo" || name_ == "mn" || name_ == "ms" || name_ == "mtext") {
      return true;
    }
    if (name_ != "annotation-xml") return false;
    std::string encoding;
    AttributeValue(attributes_, "encoding", &encoding);
    for (char& c : encoding) c = ToLowerAscii(c);
    return encoding == "text/html" || encoding == "application/xhtml+xml";
  }

  void HtmlStartTag(std::size_t lt, bool self_closing) {
    const std::string_view name = name_;
    const bool outside_foreign = foreign_.empty();
    const bool in_document = outside_foreign && templates_.empty();
    if (phase_ == Phase::kFrameset) {  // frames hold no title and no text
      if (name == "html") NoteLanguage();
      if (name == "noframes") OpenContent(name);
      return;
    }
    if (frameset_ok_ && EndsFramesetOk(name, attributes_)) {
      frameset_ok_ = false;
    }
    if (name == "svg" || name == "math") {
      if (!self_closing) foreign_.push_back(ForeignElement{name_, name[0], false});
      if (in_document) HeadPhaseTag(lt, false);
      return;
    }
    if (!outside_foreign && !IsVoid(name)) foreign_.push_back(ForeignElement{name_, 'h', false});
    OpenContent(name);
    if (name == "template") {
      if (in_document) HeadPhaseTag(lt, true);
      templates_.push_back(foreign_.size());
      return;
    }
    if (!templates_.empty()) return;
    if (name == "html") {
      NoteLanguage();
      return;
    }
    if (name == "title" && !head_.has_title) {
      head_.has_title = true;
      in_title_ = true;
      title_offset_ = tag_end_;
    }
    if (in_document) HeadPhaseTag(lt, true);
  }

  // A later <html> tag gives the root the attributes it lacks.
  void NoteLanguage() {
    if (!head_.lang.empty()) return;
    std::string lang;
    if (AttributeValue(attributes_, "lang", &lang)) head_.lang = Trim(lang, " \t\r\n\f");
  }

  // What a start tag means for the head: it stays in it, or ends it.
  void HeadPhaseTag(std::size_t lt, bool html) {
    const std::string_view name = name_;
    if (phase_ == Phase::kBody) {
      if (!html) return;
      if (name == "frameset" && frameset_ok_) {  // the frames replace the body
        phase_ = Phase::kFrameset;
        ClosePastHead();
      } else if (name == "body") {
        ClosePastHead();
      } else if (past_head_open_ && (name == "meta" || name == "link")) {
        NoteHeadElement(name, attributes_, &head_.past_head, nullptr);
      }
      return;
    }
    if (phase_ == Phase::kBeforeHead) {
      phase_ = Phase::kInHead;
      if (name == "head") return;
    }
    // After </head> these still go into the head; <noscript> no longer does.
    static const char* const kHeadElements[] = {"base",   "basefont", "bgsound",  "link",
                                                "meta",   "title",    "noframes", "style",
                                                "script", "template", "head"};
    if (html &&
        (IsOneOf(name, kHeadElements) || (name == "noscript" && phase_ == Phase::kInHead))) {
      if (name == "meta" || name == "link" || name == "base") {
        NoteHeadElement(name, attributes_, &head_.in_head, &head_);
      }
      return;
    }
    EndHead(HeadEnd::kStartTag, name, lt);
    if (name == "frameset") phase_ = Phase::kFrameset;
    if (name == "body" || name == "frameset") ClosePastHead();
  }

  // A start tag whose element holds raw text switches the tokenizer.
  void OpenContent(std::string_view name) {
    if (name == "script") {
      content_ = Content::kScript;
      script_ = Script::kData;
    } else if (name == "plaintext") {
      content_ = Content::kPlaintext;
    } else if (HasRawText(name)) {
      content_ = Content::kRawText;
      raw_name_ = name_;
    }
  }

  void EndTag(std::size_t lt) {
    const std::string_view name = name_;
    if (!foreign_.empty()) {
      if (InForeignContent() && (name == "br" || name == "p")) {
        while (InForeignContent()) foreign_.pop_back();
      } else {
        for (std::size_t i = foreign_.size(); i-- > 0;) {
          if (foreign_[i].name == name) {
            while (!templates_.empty() && templates_.back() > i) templates_.pop_back();
            foreign_.resize(i);
            ClearTag();
            return;
          }
        }
      }
    }
    if (name == "template") {
      // Closes what was opened inside the template, SVG and MathML too.
      if (!templates_.empty()) {
        foreign_.resize(std::min(foreign_.size(), templates_.back()));
        templates_.pop_back();
      }
      ClearTag();
      return;
    }
    if (!templates_.empty() || !foreign_.empty()) {
      ClearTag();
      return;
    }
    const bool ends_head = name == "body" || name == "html" || name == "br";
    if (name == "br" && phase_ != Phase::kFrameset) frameset_ok_ = false;  // read as <br>
    switch (phase_) {
      case Phase::kBeforeHead:
      case Phase::kInHead:
        if (name == "head") {
          phase_ = Phase::kAfterHead;
        } else if (ends_head) {
          EndHead(HeadEnd::kEndTag, name, lt);
        }
        break;
      case Phase::kAfterHead:
        if (ends_head) EndHead(HeadEnd::kEndTag, name, lt);
        break;
      case Phase::kBody:
        if (name == "head") ClosePastHead();
        break;
      case Phase::kFrameset:
        break;
    }
    ClearTag();
  }

  void ClearTag() { lowered_.clear(); }

  void EndHead(HeadEnd::Kind kind, std::string_view tag, std::size_t at) {
    phase_ = Phase::kBody;
    head_.end.kind = kind;
    head_.end.tag = std::string(tag);
    head_.end.line = LineAt(text_, at);
    past_head_open_ = true;
    past_head_limit_ = offset_ + at + kPastHeadSearch;
    CheckSettled();
  }

  void ClosePastHead() {
    past_head_open_ = false;
    CheckSettled();
  }

  void AddTitleBytes(std::string_view bytes) {
    title_raw_.append(bytes.data(), bytes.size());
    if (title_raw_.size() > kHeldTitleLimit) {
      // Too long to hold: counted, and read again from the page once it ends.
      dropped_ += title_raw_.size();
      title_raw_.clear();
    }
  }

  void EndTitle() {
    in_title_ = false;
    title_length_ = dropped_ + title_raw_.size();
    if (dropped_ == 0) {
      LineEndNormalizer normalizer;
      normalizer.Feed(title_raw_.data(), title_raw_.size(), &head_.title);
    }
    title_raw_ = std::string();
    title_settled_ = true;
    CheckSettled();
  }

  void CheckSettled() {
    const bool title_done = !(needs_ & kNeedsTitle) || title_settled_;
    const bool head_done =
        !(needs_ & kNeedsHead) || (head_.end.kind != HeadEnd::kNotReached && !past_head_open_);
    if (title_done && head_done) Settle();
  }

  void Settle() {
    settled_ = true;
    past_head_open_ = false;
  }

  const unsigned needs_;
  PageHead head_;
  bool settled_ = false;

  std::string pending_;     // bytes not worked through yet
  std::string start_;       // the page's first bytes, for the encoding prescan
  std::size_t offset_ = 0;  // of pending_'s first byte in the page
  std::string_view text_;   // what Scan works through
  bool at_end_ = false;
  std::size_t tag_end_ = 0;

  Content content_ = Content::kMarkup;
  Script script_ = Script::kData;
  std::string raw_name_;
  bool comment_start_ = false;

  std::string name_;  // the tag being read
  TagAttributes attributes_;
  std::deque<std::string> lowered_;  // attribute names written in capitals (views stay valid)

  Phase phase_ = Phase::kBeforeHead;
  std::vector<std::size_t> templates_;   // open <template>s: how many foreign_ held at each
  bool frameset_ok_ = true;              // a <frameset> may still replace the body
  std::vector<ForeignElement> foreign_;  // open SVG and MathML elements, and HTML in them
  bool past_head_open_ = false;
  std::size_t past_head_limit_ = 0;  // page offset where the search past the head stops
  std::size_t line_ = 1;
  bool after_cr_ = false;
  bool bom_checked_ = false;

  bool in_title_ = false;
  bool title_settled_ = false;
  std::string title_raw_;
  std::size_t dropped_ = 0;
  std::size_t title_offset_ = 0;
  std::size_t title_length_ = 0;
};

HeadReader::HeadReader(unsigned needs) : impl_(std::make_unique<Impl>(needs)) {}
HeadReader::~HeadReader() = default;
bool HeadReader::Feed(const char* data, std::size_t size) { return impl_->Feed(data, size); }
void HeadReader::Finish() { impl_->Finish(); }
bool HeadReader::Settled() const { return impl_->Settled(); }
const PageHead& HeadReader::Head() const { return impl_->Head(); }
bool HeadReader::NeedsReread() const { return impl_->NeedsReread(); }
std::size_t HeadReader::TitleOffset() const { return impl_->TitleOffset(); }
std::size_t HeadReader::TitleLength() const { return impl_->TitleLength(); }
const std::string& HeadReader::Start() const { return impl_->Start(); }

namespace {

// Reads a long title from its place in the page, applying the line-end rule.
ReadResult RereadTitle(Platform& platform, const std::string& path, std::size_t offset,
                       std::size_t length, std::string* chunk, std::string* title) {
  std::unique_ptr<PageReader> reader = platform.OpenPage(path);
  if (!reader) return ReadResult::kCannotOpen;
  PageStream stream(std::move(reader));
  LineEndNormalizer normalizer;
  while (length > 0) {
    const long got = stream.Read(&(*chunk)[0], chunk->size());
    if (got <= 0) return ReadResult::kReadError;  // the page changed under us
    const auto size = static_cast<std::size_t>(got);
    if (offset >= size) {
      offset -= size;
      continue;
    }
    const std::size_t take = std::min(length, size - offset);
    normalizer.Feed(chunk->data() + offset, take, title);
    length -= take;
    offset = 0;
  }
  return ReadResult::kOk;
}

}  // namespace

ReadResult ReadPageHead(Platform& platform, const std::string& path, std::string* chunk,
                        unsigned needs, PageHead* head) {
  *head = PageHead();
  HeadReader reader(needs);
  bool utf16 = false;
  const std::size_t first_read = (needs & kNeedsTitle) ? kFirstTitleRead : kFirstHeadRead;
  ReadResult result = ScanPage(platform, path, first_read, chunk, &reader, &utf16);
  if (result != ReadResult::kOk) return result;
  if (!reader.Settled()) reader.Finish();  // the page ended first
  *head = reader.Head();
  if (reader.NeedsReread()) {
    head->title.clear();
    result = RereadTitle(platform, path, reader.TitleOffset(), reader.TitleLength(), chunk,
                         &head->title);
    if (result != ReadResult::kOk) {
      *head = PageHead();
      return result;
    }
  }
  // The prescan runs only where the encoding can matter to what was read.
  if (utf16) {
    head->declared_encoding = kUtf8;
  } else if (TextConverter::NeedsEncoding(head->title) || (needs & kNeedsHead)) {
    head->declared_encoding = DeclaredEncoding(reader.Start());
  }
  return ReadResult::kOk;
}

}  // namespace zorvitan
