#include "engine/page/head_reader.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/page/character_references.h"
#include "engine/page/declared_encoding.h"
#include "engine/page/head_elements.h"
#include "engine/page/html_tokenizer.h"
#include "engine/text/encoding_labels.h"
#include "engine/text/text_conversion.h"
#include "engine/text/text_rules.h"

namespace zorvitan {
namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::size_t kFirstTitleRead = 4 * 1024;
constexpr std::size_t kFirstHeadRead = 4 * 1024;
// How far past the head's end a misplaced head element is still looked for,
// when the author's </head> or <body> does not come first.
constexpr std::size_t kPastHeadSearch = 16 * 1024;

// What the tree builder knows of an element by its name, one bit each.
enum : unsigned {
  kRawText = 1,          // raw text or RCDATA (scripting enabled, as in browsers)
  kVoid = 2,             // has no end tag
  kBreaksOut = 4,        // ends SVG or MathML content
  kEndsFramesetOk = 8,   // in the body, keeps a later <frameset> from replacing it
  kHeadElement = 16,     // goes into the head, even after </head>
  kWantsAttributes = 32  // its attributes say something here
};

struct ElementTraits {
  std::string_view name;
  unsigned traits;
};

// Sorted by name, for a binary search.
constexpr ElementTraits kElements[] = {
    {"annotation-xml", kWantsAttributes},
    {"applet", kEndsFramesetOk},
    {"area", kVoid | kEndsFramesetOk},
    {"b", kBreaksOut},
    {"base", kVoid | kHeadElement | kWantsAttributes},
    {"basefont", kVoid | kHeadElement},
    {"bgsound", kVoid | kHeadElement},
    {"big", kBreaksOut},
    {"blockquote", kBreaksOut},
    {"body", kBreaksOut | kEndsFramesetOk},
    {"br", kVoid | kBreaksOut | kEndsFramesetOk},
    {"button", kEndsFramesetOk},
    {"center", kBreaksOut},
    {"code", kBreaksOut},
    {"col", kVoid},
    {"dd", kBreaksOut | kEndsFramesetOk},
    {"div", kBreaksOut},
    {"dl", kBreaksOut},
    {"dt", kBreaksOut | kEndsFramesetOk},
    {"em", kBreaksOut},
    {"embed", kVoid | kBreaksOut | kEndsFramesetOk},
    {"font", kWantsAttributes},
    {"frame", kVoid},
    {"h1", kBreaksOut},
    {"h2", kBreaksOut},
    {"h3", kBreaksOut},
    {"h4", kBreaksOut},
    {"h5", kBreaksOut},
    {"h6", kBreaksOut},
    {"head", kBreaksOut | kHeadElement},
    {"hr", kVoid | kBreaksOut | kEndsFramesetOk},
    {"html", kWantsAttributes},
    {"i", kBreaksOut},
    {"iframe", kRawText | kEndsFramesetOk},
    {"image", kEndsFramesetOk},
    {"img", kVoid | kBreaksOut | kEndsFramesetOk},
    {"input", kVoid | kWantsAttributes},
    {"keygen", kVoid | kEndsFramesetOk},
    {"li", kBreaksOut | kEndsFramesetOk},
    {"link", kVoid | kHeadElement | kWantsAttributes},
    {"listing", kBreaksOut | kEndsFramesetOk},
    {"marquee", kEndsFramesetOk},
    {"menu", kBreaksOut},
    {"meta", kVoid | kBreaksOut | kHeadElement | kWantsAttributes},
    {"nobr", kBreaksOut},
    {"noembed", kRawText},
    {"noframes", kRawText | kHeadElement},
    {"noscript", kRawText},
    {"object", kEndsFramesetOk},
    {"ol", kBreaksOut},
    {"p", kBreaksOut},
    {"param", kVoid},
    {"pre", kBreaksOut | kEndsFramesetOk},
    {"ruby", kBreaksOut},
    {"s", kBreaksOut},
    {"script", kHeadElement},
    {"select", kEndsFramesetOk},
    {"small", kBreaksOut},
    {"source", kVoid},
    {"span", kBreaksOut},
    {"strike", kBreaksOut},
    {"strong", kBreaksOut},
    {"style", kRawText | kHeadElement},
    {"sub", kBreaksOut},
    {"sup", kBreaksOut},
    {"table", kBreaksOut | kEndsFramesetOk},
    {"template", kHeadElement},
    {"textarea", kRawText | kEndsFramesetOk},
    {"title", kRawText | kHeadElement},
    {"track", kVoid},
    {"tt", kBreaksOut},
    {"u", kBreaksOut},
    {"ul", kBreaksOut},
    {"var", kBreaksOut},
    {"wbr", kVoid | kEndsFramesetOk},
    {"xmp", kRawText | kEndsFramesetOk},
};

// The traits of an element by its name in lower case; none for an unknown one.
unsigned TraitsOf(std::string_view name) {
  std::size_t low = 0;
  std::size_t high = sizeof kElements / sizeof kElements[0];
  while (low < high) {
    const std::size_t middle = (low + high) / 2;
    const int order = kElements[middle].name.compare(name);
    if (order == 0) return kElements[middle].traits;
    if (order < 0) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return 0;
}

// HTML start tags that end SVG or MathML content.
bool BreaksOutOfForeign(std::string_view name, const TagAttributes& attributes) {
  if (TraitsOf(name) & kBreaksOut) return true;
  if (name != "font") return false;
  for (const TagAttribute& attribute : attributes) {
    if (EqualsNoCase(attribute.name, "color") || EqualsNoCase(attribute.name, "face") ||
        EqualsNoCase(attribute.name, "size")) {
      return true;
    }
  }
  return false;
}

// Where the tree builder is, as far as the head is concerned.
enum class Phase { kBeforeHead, kInHead, kAfterHead, kBody, kFrameset };

// Start tags in the body after which a <frameset> no longer replaces the body.
bool EndsFramesetOk(std::string_view name, unsigned traits, const TagAttributes& attributes) {
  if (traits & kEndsFramesetOk) return true;
  if (name != "input") return false;
  for (const TagAttribute& attribute : attributes) {
    if (!EqualsNoCase(attribute.name, "type")) continue;
    return !EqualsNoCase(attribute.value, "hidden");
  }
  return true;
}

struct ForeignElement {
  std::string name;
  char space;  // 'h' HTML (inside an integration point), 's' SVG, 'm' MathML
  bool integration_point;
};

}  // namespace

// The tree builder, as far as it decides which title is the document's and
// where the head ends; the tokenizer hands it the page's tokens.
class HeadReader::Impl : public TokenSink {
 public:
  explicit Impl(unsigned needs) : needs_(needs), tokenizer_(*this) {}

  bool Feed(const char* data, std::size_t size) {
    if (settled_) return true;
    if (tokenizer_.Feed(data, size)) Settle();
    return settled_;
  }

  void Finish() {
    if (!settled_) {
      tokenizer_.Finish();
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
  PageHead TakeHead() { return std::move(head_); }

  void Tag(const HtmlTag& tag) override {
    // Past the head's end, misplaced head elements are looked for only so far.
    if (past_head_open_ && tokenizer_.OffsetOf(tag.at) > past_head_limit_) {
      ClosePastHead();
      if (settled_) return;
    }
    if (InPlainBody() && (tag.closing || !MattersInPlainBody(tag.name))) return;
    tag_ = &tag;
    if (tag.closing) {
      EndTag(tag.at);
    } else {
      StartTag(tag.at, tag.self_closing);
    }
    tag_ = nullptr;
  }

  void RawText(std::string_view bytes) override {
    if (in_title_) AddTitleBytes(bytes);
  }

  void RawTextEnded() override {
    if (in_title_) EndTitle();
  }

  bool Done() const override { return settled_; }

  // The tags whose attributes say something here: the language, what the head
  // holds, and what ends SVG or MathML, opens an integration point or keeps a
  // <frameset> from replacing the body.
  bool Skimming() const override { return InPlainBody(); }
  bool MattersWhileSkimming(std::string_view name) const override {
    return MattersInPlainBody(name);
  }

  bool WantsAttributes(std::string_view name) const override {
    if (InPlainBody()) return name == "html";
    const unsigned traits = TraitsOf(name);
    if ((traits & kHeadElement) && !(needs_ & kNeedsHead)) return false;  // not asked for
    return (traits & kWantsAttributes) != 0;
  }

 private:
  // In the body with nothing open that the reader follows (no SVG or MathML,
  // no <template>, past the search for misplaced head elements, and frames
  // can no longer replace the body): most of a page, where only a few start
  // tags still matter and the rest are read past.
  bool InPlainBody() const {
    return phase_ == Phase::kBody && !frameset_ok_ && !past_head_open_ && foreign_.empty() &&
           templates_.empty();
  }

  // `name` as written, in any letter case.
  static bool MattersInPlainBody(std::string_view name) {
    auto is = [name](std::string_view known) { return EqualsNoCase(name, known); };
    switch (name.size()) {
      case 3:
        return is("svg") || is("xmp");
      case 4:
        return is("html") || is("math");
      case 5:
        return is("title") || is("style");
      case 6:
        return is("script") || is("iframe");
      case 7:
        return is("noembed");
      case 8:
        return is("textarea") || is("template") || is("noframes") || is("noscript");
      case 9:
        return is("plaintext");
      default:
        return false;
    }
  }

 public:
 private:
  // Text between tags: a character other than a blank ends the head, and
  // keeps a later <frameset> from replacing the body.
  // Returns where it is done: `to`, or a reference that may go on past it.
  std::size_t Text(std::size_t from, std::size_t to) override {
    const std::string_view bytes = tokenizer_.Bytes();
    const bool head_open = head_.end.kind == HeadEnd::kNotReached;
    if (head_open ? !templates_.empty() || !foreign_.empty() : !frameset_ok_) return to;
    if (phase_ == Phase::kFrameset) return to;
    for (std::size_t i = from; i < to; ++i) {
      if (IsHtmlBlank(bytes[i])) continue;
      if (bytes[i] == '&' && head_open) {  // "&#32;" is a blank too
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
    const std::string_view bytes = tokenizer_.Bytes();
    std::size_t end = at + 1;
    while (end < to && end - at < 40 &&
           (IsAsciiLetter(bytes[end]) || IsAsciiDigit(bytes[end]) || bytes[end] == '#')) {
      ++end;
    }
    if (end == bytes.size() && !tokenizer_.AtEnd()) return npos;
    std::string decoded;
    const std::size_t length = DecodeCharacterReference(bytes.substr(0, to), at, false, &decoded);
    if (length == 0 || decoded.empty()) return 0;
    for (const char c : decoded) {
      if (!IsHtmlBlank(c)) return 0;
    }
    return length;
  }

  bool InForeignContent() const override {
    return !foreign_.empty() && foreign_.back().space != 'h' && !foreign_.back().integration_point;
  }

  void StartTag(std::size_t lt, bool self_closing) {
    if (InForeignContent()) {
      if (!BreaksOutOfForeign(tag_->name, tag_->attributes)) {
        if (!self_closing) {
          const char space = foreign_.back().space;
          foreign_.push_back(
              ForeignElement{std::string(tag_->name), space, IsIntegrationPoint(space)});
        }
        return;
      }
      while (InForeignContent()) foreign_.pop_back();
    }
    HtmlStartTag(lt, self_closing);
  }

  bool IsIntegrationPoint(char space) const {
    if (space == 's')
      return tag_->name == "foreignobject" || tag_->name == "desc" || tag_->name == "title";
    if (tag_->name == "mi" || tag_->name == "mo" || tag_->name == "mn" || tag_->name == "ms" ||
        tag_->name == "mtext") {
      return true;
    }
    if (tag_->name != "annotation-xml") return false;
    std::string encoding;
    AttributeValue(tag_->attributes, "encoding", &encoding);
    return EqualsNoCase(encoding, "text/html") || EqualsNoCase(encoding, "application/xhtml+xml");
  }

  void HtmlStartTag(std::size_t lt, bool self_closing) {
    const std::string_view name = tag_->name;
    traits_ = TraitsOf(name);
    const bool outside_foreign = foreign_.empty();
    const bool in_document = outside_foreign && templates_.empty();
    if (phase_ == Phase::kFrameset) {  // frames hold no title and no text
      if (name == "html") NoteLanguage();
      if (name == "noframes") OpenContent(name);
      return;
    }
    if (frameset_ok_ && EndsFramesetOk(name, traits_, tag_->attributes)) {
      frameset_ok_ = false;
    }
    if (name == "svg" || name == "math") {
      if (!self_closing)
        foreign_.push_back(ForeignElement{std::string(tag_->name), name[0], false});
      if (in_document) HeadPhaseTag(lt, false);
      return;
    }
    if (!outside_foreign && !(traits_ & kVoid))
      foreign_.push_back(ForeignElement{std::string(tag_->name), 'h', false});
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
      title_offset_ = tag_->end_offset;
    }
    if (in_document) HeadPhaseTag(lt, true);
  }

  // A later <html> tag gives the root the attributes it lacks.
  void NoteLanguage() {
    if (!head_.lang.empty()) return;
    std::string lang;
    if (AttributeValue(tag_->attributes, "lang", &lang)) head_.lang = Trim(lang, " \t\r\n\f");
  }

  // What a start tag means for the head: it stays in it, or ends it.
  void HeadPhaseTag(std::size_t lt, bool html) {
    const std::string_view name = tag_->name;
    if (phase_ == Phase::kBody) {
      if (!html) return;
      if (name == "frameset" && frameset_ok_) {  // the frames replace the body
        phase_ = Phase::kFrameset;
        ClosePastHead();
      } else if (name == "body") {
        ClosePastHead();
      } else if (past_head_open_ && (name == "meta" || name == "link")) {
        NoteHeadElement(name, tag_->attributes, &head_.past_head, nullptr);
      }
      return;
    }
    if (phase_ == Phase::kBeforeHead) {
      phase_ = Phase::kInHead;
      if (name == "head") return;
    }
    // After </head> these still go into the head; <noscript> no longer does.
    if (html && ((traits_ & kHeadElement) || (name == "noscript" && phase_ == Phase::kInHead))) {
      if ((name == "meta" || name == "link" || name == "base") && (needs_ & kNeedsHead)) {
        NoteHeadElement(name, tag_->attributes, &head_.in_head, &head_);
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
      tokenizer_.OpenScript();
    } else if (name == "plaintext") {
      tokenizer_.OpenPlaintext();
    } else if (traits_ & kRawText) {
      tokenizer_.OpenRawText(name);
    }
  }

  void EndTag(std::size_t lt) {
    const std::string_view name = tag_->name;
    if (!foreign_.empty()) {
      if (InForeignContent() && (name == "br" || name == "p")) {
        while (InForeignContent()) foreign_.pop_back();
      } else {
        for (std::size_t i = foreign_.size(); i-- > 0;) {
          if (foreign_[i].name == name) {
            while (!templates_.empty() && templates_.back() > i) templates_.pop_back();
            foreign_.resize(i);
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
      return;
    }
    if (!templates_.empty() || !foreign_.empty()) {
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
  }

  void EndHead(HeadEnd::Kind kind, std::string_view tag, std::size_t at) {
    phase_ = Phase::kBody;
    head_.end.kind = kind;
    head_.end.tag = std::string(tag);
    head_.end.line = tokenizer_.LineAt(at);
    tokenizer_.StopCountingLines();
    past_head_open_ = (needs_ & kNeedsHead) != 0;
    past_head_limit_ = tokenizer_.OffsetOf(at) + kPastHeadSearch;
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

  HtmlTokenizer tokenizer_;
  const HtmlTag* tag_ = nullptr;  // the tag being heard
  unsigned traits_ = 0;           // of the start tag being heard

  Phase phase_ = Phase::kBeforeHead;
  std::vector<std::size_t> templates_;   // open <template>s: how many foreign_ held at each
  bool frameset_ok_ = true;              // a <frameset> may still replace the body
  std::vector<ForeignElement> foreign_;  // open SVG and MathML elements, and HTML in them
  bool past_head_open_ = false;
  std::size_t past_head_limit_ = 0;  // page offset where the search past the head stops

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
PageHead HeadReader::TakeHead() { return impl_->TakeHead(); }

namespace {

// Reads a long title from its place in the page, applying the line-end rule.
ReadResult RereadTitle(FileSystem& file_system, const std::string& path, std::size_t offset,
                       std::size_t length, std::string* chunk, std::string* title) {
  LineEndNormalizer normalizer;
  const ReadResult result =
      ReadChunks(file_system, path, FileBytes::kUtf16AsUtf8, chunk, [&](std::string_view read) {
        if (offset >= read.size()) {
          offset -= read.size();
          return false;
        }
        const std::size_t take = std::min(length, read.size() - offset);
        normalizer.Feed(read.data() + offset, take, title);
        length -= take;
        offset = 0;
        return length == 0;
      });
  // A page that ends before its title has changed under us.
  return result == ReadResult::kOk && length > 0 ? ReadResult::kReadError : result;
}

}  // namespace

namespace {

// Feeds the reader, and keeps the page's first bytes for the encoding prescan:
// where the first read settles the head they are still in the read buffer, so
// they are copied only when a later read would overwrite them.
class PrescanKeeper {
 public:
  explicit PrescanKeeper(HeadReader* reader) : reader_(reader) {}
  bool Feed(const char* data, std::size_t size) {
    if (first_.data() == nullptr) {
      first_ = std::string_view(data, std::min(size, kEncodingPrescanBytes));
    } else if (start_.size() < kEncodingPrescanBytes) {
      start_.append(data, std::min(size, kEncodingPrescanBytes - start_.size()));
    }
    const bool settled = reader_->Feed(data, size);
    if (!settled && start_.empty()) start_.assign(first_.data(), first_.size());
    return settled;
  }
  // The first bytes, valid until the read buffer is used again.
  std::string_view Start() const { return start_.empty() ? first_ : start_; }
  void Keep() {
    if (start_.empty()) start_.assign(first_.data(), first_.size());
  }

 private:
  HeadReader* reader_;
  std::string_view first_;
  std::string start_;
};

}  // namespace

ReadResult ReadPageHead(FileSystem& file_system, const std::string& path, std::string* chunk,
                        unsigned needs, PageHead* head) {
  *head = PageHead();
  HeadReader reader(needs);
  PrescanKeeper keeper(&reader);
  bool utf16 = false;
  const std::size_t first_read = (needs & kNeedsTitle) ? kFirstTitleRead : kFirstHeadRead;
  ReadResult result = ReadChunks(
      file_system, path, FileBytes::kUtf16AsUtf8, chunk,
      [&keeper](std::string_view read) { return keeper.Feed(read.data(), read.size()); },
      first_read, &utf16);
  if (result != ReadResult::kOk) return result;
  if (!reader.Settled()) reader.Finish();  // the page ended first
  const bool reread = reader.NeedsReread();
  const std::size_t title_offset = reader.TitleOffset();
  const std::size_t title_length = reader.TitleLength();
  *head = reader.TakeHead();
  if (reread) {
    keeper.Keep();
    head->title.clear();
    result = RereadTitle(file_system, path, title_offset, title_length, chunk, &head->title);
    if (result != ReadResult::kOk) {
      *head = PageHead();
      return result;
    }
  }
  // The prescan runs only where the encoding can matter to what was read.
  if (utf16) {
    head->declared_encoding = kUtf8;
  } else if (TextConverter::NeedsEncoding(head->title) || (needs & kNeedsHead)) {
    head->declared_encoding = DeclaredEncoding(keeper.Start());
  }
  return ReadResult::kOk;
}

}  // namespace zorvitan
