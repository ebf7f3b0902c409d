// What a page's head says, read as browsers and search engines read it: one
// pass of the HTML tokenizer, and as much of the tree builder as decides which
// title is the document's, where the head ends and what the head holds.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zorvitan {

// What a run needs of a page; the reader stops as soon as it has that.
enum HeadNeeds : unsigned {
  kNeedsTitle = 1,  // the document's title (read on until it is settled)
  kNeedsHead = 2,   // what the head holds, read to its end and a little past it
};

// The token at which the head ended: from there on, head elements belong to
// the body, and search engines no longer take them as the page's.
struct HeadEnd {
  enum Kind { kNotReached, kStartTag, kEndTag, kText };
  Kind kind = kNotReached;
  std::string tag;       // the element's name for a tag ("b", "body"); "" for text
  std::size_t line = 0;  // 1-based line of the token (of the text's first non-blank)
};

// <link rel="alternate" hreflang="..." href="...">.
struct HeadAlternate {
  std::string hreflang;
  std::string href;
};

// What robots metas, refreshes, canonical and alternate links say. Attribute
// values have their character references decoded (as UTF-8) and their other
// bytes as the page has them.
struct HeadLinks {
  bool noindex = false;        // <meta name="robots|googlebot" content="...noindex|none...">
  bool has_refresh = false;    // <meta http-equiv="refresh"> naming a URL
  std::string refresh_url;     // of the first such meta
  bool has_canonical = false;  // <link rel="canonical">
  std::string canonical_href;  // of the first one, blanks trimmed
  std::vector<HeadAlternate> alternates;
};

struct PageHead {
  // The document's title element: the first HTML <title> in tree order, in
  // the head or later, never in a comment, raw text, <template> or SVG/MathML.
  bool has_title = false;
  // Its text as the page holds it: the raw bytes between the tags (character
  // references as written), line ends after the page-text rule. TitleText()
  // gives what the browser shows.
  std::string title;
  std::string lang;  // <html lang="...">, blanks trimmed; "" when none
  // The encoding the page declares (byte-order mark, else the <meta> prescan
  // of its first 1024 bytes), "UTF-8" for a page read from UTF-16; "" for none.
  std::string_view declared_encoding;

  HeadLinks in_head;  // found in the head: the page's own
  bool has_description = false;
  std::string description;  // <meta name="description" content="...">
  std::string base_href;    // <base href="...">

  HeadEnd end;          // where the head ended
  HeadLinks past_head;  // found after the head ended, before the author's
                        // </head> or <body>: not the page's for engines
};

// What the browser shows of a title (document.title): `utf8` is the title
// converted to UTF-8; its character references are decoded, NUL becomes
// U+FFFD, and ASCII blanks are stripped at the ends and collapsed inside.
std::string TitleText(std::string_view utf8);
// Text whose references are decoded already, on one line as a browser shows
// it: NUL as U+FFFD, ASCII blanks stripped at the ends and collapsed inside.
std::string OneLineText(std::string_view utf8);

}  // namespace zorvitan
