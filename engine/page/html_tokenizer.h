// The HTML tokenizer, streaming: a page's bytes go in, its tags and text come
// out to a TokenSink, as the HTML standard's tokenizer reads them (comments,
// DOCTYPE, raw text, RCDATA, script data with its escapes, CDATA in SVG and
// MathML). As in the standard, what a start tag opens is the tree builder's
// call: the sink switches the tokenizer to raw text, script data or plain text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/page/head_elements.h"

namespace zorvitan {

struct HtmlTag {
  std::string_view name;            // in lower case
  const TagAttributes& attributes;  // of a start tag whose attributes the sink wants
  bool closing;
  bool self_closing;
  std::size_t at;          // where its '<' stands in the bytes being worked through
  std::size_t end_offset;  // the page offset behind its '>'
};

class TokenSink {
 public:
  virtual ~TokenSink() = default;
  virtual void Tag(const HtmlTag& tag) = 0;
  // Text between tags: [from, to) of the bytes being worked through. Returns
  // where it is done: `to`, or earlier when it needs more bytes to tell.
  virtual std::size_t Text(std::size_t from, std::size_t to) = 0;
  // The text of a raw text or RCDATA element, in pieces, then its end.
  virtual void RawText(std::string_view bytes) = 0;
  virtual void RawTextEnded() = 0;
  // Whether the current node is SVG or MathML, where "<![CDATA[" opens a section.
  virtual bool InForeignContent() const = 0;
  // Whether the sink needs the attributes of start tags of this name.
  virtual bool WantsAttributes(std::string_view name) const = 0;
  // Whether only some start tags matter to the sink now, and no text and no
  // end tag: the others are passed over without a call; and which matter.
  virtual bool Skimming() const = 0;
  virtual bool MattersWhileSkimming(std::string_view name) const = 0;
  // Whether the sink has all it needs: the tokenizer stops.
  virtual bool Done() const = 0;
};

class HtmlTokenizer {
 public:
  explicit HtmlTokenizer(TokenSink& sink) : sink_(sink) {}

  // Adds bytes; returns true once the sink is done.
  bool Feed(const char* data, std::size_t size);
  // The page ended: what is still open ends with it.
  void Finish();

  // Switch what follows the start tag just read.
  void OpenRawText(std::string_view name);  // raw text or RCDATA up to </name>
  void OpenScript();                        // script data up to </script>
  void OpenPlaintext();                     // the rest of the page

  // For the sink, while it hears a token: the bytes being worked through,
  // whether the page ends with them, and the line (from 1) and page offset of
  // a place in them.
  std::string_view Bytes() const { return text_; }
  bool AtEnd() const { return at_end_; }
  std::size_t LineAt(std::size_t at);
  std::size_t OffsetOf(std::size_t at) const { return offset_ + at; }
  // Lines need no more counting.
  void StopCountingLines() { count_lines_ = false; }
  // Whether it stopped on a tag too long to be one, or the sink is done.
  bool Finished() const { return stopped_ || sink_.Done(); }

  // A tag longer than this ends the reading: a broken page, not a head.
  static constexpr std::size_t kLongestTag = 64 * 1024;

 private:
  enum class Content { kMarkup, kRawText, kScript, kComment, kBogus, kCdata, kPlaintext };
  // How far script data is escaped: after "<!--" once, after "<!--<script" twice.
  enum class Escape { kNone, kOnce, kTwice };

  std::size_t Scan(std::string_view text, bool at_end);
  void Advance(std::size_t done);
  std::size_t Markup(std::size_t at);
  std::size_t TextToEnd(std::size_t from);
  std::size_t MarkupDeclaration(std::size_t lt);
  std::size_t SkipComment(std::size_t at);
  std::size_t SkipTo(std::size_t at, std::string_view terminator);
  std::size_t End(std::size_t at);
  int EndTagAt(std::size_t lt, std::string_view name) const;
  std::size_t RawText(std::size_t at);
  std::size_t ScriptData(std::size_t at);
  std::size_t ScriptLessThan(std::size_t lt);
  std::size_t Tag(std::size_t lt, bool closing);
  std::string_view TagName(std::size_t* at);
  std::size_t Attributes(std::size_t i, bool keep, bool* self_closing);
  std::size_t Skim(std::size_t at);
  std::size_t TagCut(std::size_t lt) const;
  void AddAttribute(std::string_view name, std::string_view value);

  TokenSink& sink_;
  std::string pending_;     // bytes not worked through yet
  std::size_t offset_ = 0;  // of pending_'s first byte in the page
  std::string_view text_;   // what Scan works through
  bool at_end_ = false;
  bool bom_checked_ = false;
  bool stopped_ = false;

  Content content_ = Content::kMarkup;
  Escape escape_ = Escape::kNone;
  int dashes_ = 0;  // '-' in a row in escaped script data, up to 2
  std::string raw_name_;
  bool comment_start_ = false;

  char name_buffer_[32];  // the tag being read
  std::string name_;      // a longer one
  TagAttributes attributes_;

  bool count_lines_ = true;
  std::size_t line_ = 1;  // at offset_
  bool after_cr_ = false;
};

}  // namespace zorvitan
