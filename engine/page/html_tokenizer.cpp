#include "engine/page/html_tokenizer.h"

#include <algorithm>
#include <cstring>

#include "engine/text/text_rules.h"

namespace zorvitan {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// What a byte is to a tag, one bit each: the bytes that end a name or a value.
enum : unsigned char { kBlank = 1, kSlash = 2, kClose = 4, kEquals = 8 };
struct TagBytes {
  unsigned char kind[256] = {};
  constexpr TagBytes() {
    for (const char c : kHtmlBlanks) kind[static_cast<unsigned char>(c)] = kBlank;
    kind[static_cast<unsigned char>('/')] = kSlash;
    kind[static_cast<unsigned char>('>')] = kClose;
    kind[static_cast<unsigned char>('=')] = kEquals;
  }
};
constexpr TagBytes kTagBytes;

bool Is(char c, unsigned char kinds) {
  return (kTagBytes.kind[static_cast<unsigned char>(c)] & kinds) != 0;
}

}  // namespace

bool HtmlTokenizer::Feed(const char* data, std::size_t size) {
  if (Finished()) return true;
  if (pending_.empty()) {
    const std::size_t used = Scan(std::string_view(data, size), false);
    if (!Finished()) pending_.assign(data + used, size - used);
    Advance(used);
  } else {
    pending_.append(data, size);
    const std::size_t used = Scan(pending_, false);
    Advance(used);
    pending_.erase(0, used);
  }
  // A tag that never ends is no head: stop rather than hold the page.
  if (pending_.size() > kLongestTag && content_ == Content::kMarkup) stopped_ = true;
  if (Finished()) pending_ = std::string();
  return Finished();
}

void HtmlTokenizer::Finish() {
  if (Finished()) return;
  Advance(Scan(pending_, true));
  pending_ = std::string();
}

void HtmlTokenizer::OpenRawText(std::string_view name) {
  content_ = Content::kRawText;
  raw_name_ = name;
}

void HtmlTokenizer::OpenScript() {
  content_ = Content::kScript;
  escape_ = Escape::kNone;
  dashes_ = 0;
}

void HtmlTokenizer::OpenPlaintext() { content_ = Content::kPlaintext; }

// Works through `text` (the bytes from offset_ on) from its start, token by
// token; returns how many bytes it is done with. The rest waits for more
// bytes, unless `at_end`.
std::size_t HtmlTokenizer::Scan(std::string_view text, bool at_end) {
  text_ = text;
  at_end_ = at_end;
  std::size_t at = 0;
  if (offset_ == 0 && !bom_checked_) {  // a UTF-8 byte-order mark is no text
    const std::string_view bom = "\xEF\xBB\xBF";
    if (text.size() < bom.size() && !at_end && bom.substr(0, text.size()) == text) return 0;
    bom_checked_ = true;
    if (text.substr(0, bom.size()) == bom) at = bom.size();
  }
  while (at < text.size() && !Finished()) {
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
  return Finished() ? text.size() : at;
}

// Counts the lines of the bytes done with, while they are asked for.
void HtmlTokenizer::Advance(std::size_t done) {
  if (count_lines_ && !Finished()) {
    line_ = LineAt(done);
    if (done > 0) after_cr_ = text_[done - 1] == '\r';
  }
  offset_ += done;
}

// CR LF, CR and LF each end a line.
std::size_t HtmlTokenizer::LineAt(std::size_t at) {
  std::size_t line = line_;
  const std::string_view part = text_.substr(0, at);
  if (part.find('\r') == npos) {
    line += static_cast<std::size_t>(std::count(part.begin(), part.end(), '\n'));
    if (after_cr_ && !part.empty() && part[0] == '\n') --line;
    return line;
  }
  bool after_cr = after_cr_;
  for (const char c : part) {
    if (c == '\r' || (c == '\n' && !after_cr)) ++line;
    after_cr = c == '\r';
  }
  return line;
}

// Markup: text up to the next '<', then the token it opens.
std::size_t HtmlTokenizer::Markup(std::size_t at) {
  if (sink_.Skimming()) {
    const std::size_t skimmed = Skim(at);
    if (skimmed > at) return skimmed;
  }
  const void* open = std::memchr(text_.data() + at, '<', text_.size() - at);
  const std::size_t lt =
      open == nullptr ? text_.size() : static_cast<const char*>(open) - text_.data();
  if (lt > at) {
    const std::size_t done = sink_.Text(at, lt);
    if (done < lt) return done;  // a character reference the bytes cut
  }
  if (lt == text_.size() || sink_.Done()) return lt;
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
  sink_.Text(lt, lt + 1);  // a '<' of text
  return lt + 1;
}

std::size_t HtmlTokenizer::TextToEnd(std::size_t from) {
  sink_.Text(from, text_.size());
  return text_.size();
}

std::size_t HtmlTokenizer::MarkupDeclaration(std::size_t lt) {
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
    if (rest.size() < 7 && sink_.InForeignContent() &&
        std::string_view("[CDATA[").substr(0, rest.size()) == rest) {
      return lt;
    }
  }
  if (starts("--", false)) {
    content_ = Content::kComment;
    comment_start_ = true;
    return lt + 4;
  }
  if (starts("[CDATA[", false) && sink_.InForeignContent()) {
    content_ = Content::kCdata;
    return lt + 9;
  }
  content_ = Content::kBogus;  // a DOCTYPE too ends at its first '>'
  return lt + 2;
}

// "<!-->" and "<!--->" are whole comments; later a comment ends at "-->" or "--!>".
std::size_t HtmlTokenizer::SkipComment(std::size_t at) {
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

std::size_t HtmlTokenizer::SkipTo(std::size_t at, std::string_view terminator) {
  const std::size_t found = text_.find(terminator, at);
  if (found != npos) return End(found + terminator.size());
  if (at_end_) return End(text_.size());
  const std::size_t keep = terminator.size() - 1;
  return std::max(at, text_.size() >= keep ? text_.size() - keep : 0);
}

std::size_t HtmlTokenizer::End(std::size_t at) {
  content_ = Content::kMarkup;
  return at;
}

// Whether "</name" followed by a blank, '/' or '>' stands at `lt`: 1 yes,
// 0 no, -1 not enough bytes to tell.
int HtmlTokenizer::EndTagAt(std::size_t lt, std::string_view name) const {
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
  return IsHtmlBlank(after) || after == '/' || after == '>' ? 1 : 0;
}

// Raw text and RCDATA: up to the end tag of the element that opened it.
std::size_t HtmlTokenizer::RawText(std::size_t at) {
  for (std::size_t from = at;;) {
    const void* open = std::memchr(text_.data() + from, '<', text_.size() - from);
    if (open == nullptr) {
      sink_.RawText(text_.substr(at));
      return text_.size();
    }
    const std::size_t lt = static_cast<const char*>(open) - text_.data();
    const int end = EndTagAt(lt, raw_name_);
    if (end < 0) {
      sink_.RawText(text_.substr(at, lt - at));
      return lt;
    }
    if (end > 0) {
      sink_.RawText(text_.substr(at, lt - at));
      content_ = Content::kMarkup;
      sink_.RawTextEnded();
      return lt;  // the end tag is read as a tag
    }
    from = lt + 1;
  }
}

// Script data, with the states that "<!--" and "<!--<script" open.
std::size_t HtmlTokenizer::ScriptData(std::size_t at) {
  std::size_t i = at;
  while (i < text_.size()) {
    if (escape_ == Escape::kNone) {
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
    // In escaped script data "-->" ends the escape, dashes shared with "<!--".
    if (c == '-') {
      if (dashes_ < 2) ++dashes_;
    } else {
      if (c == '>' && dashes_ == 2) escape_ = Escape::kNone;
      dashes_ = 0;
    }
    ++i;
  }
  return i;
}

// A '<' in script data: where to go on, or npos when more bytes are needed.
std::size_t HtmlTokenizer::ScriptLessThan(std::size_t lt) {
  const int end = EndTagAt(lt, "script");
  if (end < 0) return npos;
  dashes_ = 0;  // a '<' breaks a run of dashes
  if (end > 0) {
    if (escape_ == Escape::kTwice) {  // "</script>" only leaves the double escape
      escape_ = Escape::kOnce;
      return lt + 8;
    }
    content_ = Content::kMarkup;
    return lt;
  }
  if (escape_ == Escape::kNone) {
    if (lt + 4 > text_.size() && !at_end_) return npos;
    if (text_.compare(lt, 4, "<!--") == 0) {
      escape_ = Escape::kOnce;
      dashes_ = 2;
      return lt + 4;
    }
    return lt + 1;
  }
  if (escape_ == Escape::kTwice) return lt + 1;
  // Escaped: "<script" followed by a blank, '/' or '>' escapes once more.
  if (lt + 8 > text_.size() && !at_end_) return npos;
  if (lt + 8 <= text_.size()) {
    bool script = true;
    for (std::size_t k = 0; k < 6; ++k) {
      if (ToLowerAscii(text_[lt + 1 + k]) != "script"[k]) script = false;
    }
    const char after = text_[lt + 7];
    if (script && (IsHtmlBlank(after) || after == '/' || after == '>')) {
      escape_ = Escape::kTwice;
      return lt + 7;
    }
  }
  return lt + 1;
}

// A start or end tag at `lt`: its name and attributes as the tokenizer
// reads them. Returns the offset behind it, or `lt` when it is not whole yet.
std::size_t HtmlTokenizer::Tag(std::size_t lt, bool closing) {
  std::size_t i = lt + (closing ? 2 : 1);
  const std::string_view name = TagName(&i);
  attributes_.clear();
  // Most tags' attributes matter to nobody: they are read past, not kept.
  const bool keep = !closing && sink_.WantsAttributes(name);
  bool self_closing = false;
  const std::size_t end = Attributes(i, keep, &self_closing);
  if (end == npos) return TagCut(lt);
  const std::size_t after = end + 1;
  if (after - lt > kLongestTag) {
    stopped_ = true;
    return text_.size();
  }
  sink_.Tag(HtmlTag{name, attributes_, closing, self_closing, lt, offset_ + after});
  return after;
}

// The tag's name from `*at`, in lower case (in the small buffer, or name_ when
// longer); `*at` moves behind it.
std::string_view HtmlTokenizer::TagName(std::size_t* at) {
  const std::size_t start = *at;
  std::size_t i = start;
  while (i < text_.size() && !Is(text_[i], kBlank | kSlash | kClose)) ++i;
  *at = i;
  if (i - start <= sizeof name_buffer_) {
    for (std::size_t k = start; k < i; ++k) name_buffer_[k - start] = ToLowerAscii(text_[k]);
    return std::string_view(name_buffer_, i - start);
  }
  name_.assign(text_.data() + start, i - start);
  for (char& c : name_) c = ToLowerAscii(c);
  return name_;
}

// Reads a tag's attributes from `i` (kept in attributes_ when `keep`); returns
// where its '>' stands, or npos when the bytes end first.
std::size_t HtmlTokenizer::Attributes(std::size_t i, bool keep, bool* self_closing) {
  const std::size_t size = text_.size();
  for (;;) {
    while (i < size && Is(text_[i], kBlank)) ++i;
    if (i >= size) return npos;
    if (text_[i] == '>') return i;
    if (text_[i] == '/') {
      ++i;
      if (i >= size) return npos;
      if (text_[i] == '>') {
        *self_closing = true;
        return i;
      }
      continue;
    }
    // A name: '=' may be its first character.
    const std::size_t name_start = i++;
    while (i < size && !Is(text_[i], kBlank | kSlash | kClose | kEquals)) ++i;
    const std::size_t name_end = i;
    while (i < size && Is(text_[i], kBlank)) ++i;
    if (i >= size) return npos;
    std::string_view value;
    if (text_[i] == '=') {
      ++i;
      while (i < size && Is(text_[i], kBlank)) ++i;
      if (i >= size) return npos;
      if (text_[i] == '"' || text_[i] == '\'') {
        const std::size_t close = text_.find(text_[i], i + 1);
        if (close == npos) return npos;
        value = text_.substr(i + 1, close - i - 1);
        i = close + 1;
      } else if (text_[i] != '>') {
        const std::size_t start = i;
        while (i < size && !Is(text_[i], kBlank | kClose)) ++i;
        if (i >= size) return npos;
        value = text_.substr(start, i - start);
      }
    }
    if (keep) AddAttribute(text_.substr(name_start, name_end - name_start), value);
  }
}

// Where the sink skims, tags it has no use for and text are passed over here,
// without a word to it; returns at the first token it must hear (or that
// needs more bytes), or at the end.
std::size_t HtmlTokenizer::Skim(std::size_t at) {
  const std::size_t size = text_.size();
  for (;;) {
    const void* open = std::memchr(text_.data() + at, '<', size - at);
    if (open == nullptr) return size;
    const std::size_t lt = static_cast<const char*>(open) - text_.data();
    if (lt + 2 >= size) return lt;
    const bool closing = text_[lt + 1] == '/';
    if (!IsAsciiLetter(text_[lt + (closing ? 2 : 1)])) {
      if (closing || text_[lt + 1] == '!' || text_[lt + 1] == '?') return lt;
      at = lt + 1;  // a '<' of text
      continue;
    }
    std::size_t i = lt + (closing ? 2 : 1);
    const std::size_t name_start = i;
    while (i < size && !Is(text_[i], kBlank | kSlash | kClose)) ++i;
    if (!closing && sink_.MattersWhileSkimming(text_.substr(name_start, i - name_start))) {
      return lt;
    }
    bool self_closing = false;
    const std::size_t end = Attributes(i, false, &self_closing);
    if (end == npos || end + 1 - lt > kLongestTag) return lt;  // Tag() says what then
    at = end + 1;
  }
}

std::size_t HtmlTokenizer::TagCut(std::size_t lt) const {
  if (at_end_) return text_.size();  // a tag cut by the page's end is dropped
  return lt;
}

// The first of a name counts, letters in any case.
void HtmlTokenizer::AddAttribute(std::string_view name, std::string_view value) {
  for (const TagAttribute& attribute : attributes_) {
    if (EqualsNoCase(attribute.name, name)) return;
  }
  attributes_.push_back(TagAttribute{name, value});
}

}  // namespace zorvitan
