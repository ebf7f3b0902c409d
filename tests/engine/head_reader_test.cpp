// A page's head as browsers read it: which title is the document's, where the
// head ends, what it holds; the same however the bytes arrive.
#include "engine/page/head_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/page/head_elements.h"

namespace zorvitan {
namespace {

PageHead Read(const std::string& page, unsigned needs, std::size_t piece) {
  HeadReader reader(needs);
  for (std::size_t at = 0; at < page.size() && !reader.Settled(); at += piece) {
    reader.Feed(page.data() + at, std::min(piece, page.size() - at));
  }
  if (!reader.Settled()) reader.Finish();
  return reader.Head();
}

// The title's raw text, "-" for none; whole and a byte at a time alike.
std::string Title(const std::string& page) {
  const PageHead whole = Read(page, kNeedsTitle, page.size() + 1);
  const PageHead bytewise = Read(page, kNeedsTitle, 1);
  EXPECT_EQ(whole.title, bytewise.title) << page;
  return whole.has_title ? whole.title : "-";
}

TEST(HeadReader, TheDocumentsTitleIsTheFirstTheBrowserTakes) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"<html><title>Start</title>", "Start"},
      {"<TITLE>Duże</Title>", "Duże"},
      {"<title> blanks &amp; references stay </title>", " blanks &amp; references stay "},
      {"<title>two\r\nlines\rend</title>", "two\r\nlines\r\nend"},
      {"<title lang=\"pl\">Bezsensy i redundacje.</title>", "Bezsensy i redundacje."},
      {"<title\n>a</title >", "a"},
      {"<title/>b</TITLE foo='>'>", "b"},
      {"<title>a<b>c</b></title>", "a<b>c</b>"},
      {"<title>first</title><title>second</title>", "first"},
      {"</title><title>late</title>", "late"},
      {"<title></title>", ""},
      {"<title>no end\r\n", "no end\r\n"},  // runs to the page's end
      {"< title>x</title>", "-"},
      {"no tags", "-"},
      {"<!-- <title>c</title> --><title>real</title>", "real"},
      {"<!--><title>after an empty comment</title>", "after an empty comment"},
      {"<!-- a --!><title>t</title>", "t"},
      {"<script>'<title>s</title>'</script><title>real</title>", "real"},
      {"<script><!--<script></script><title>x</title>--></script><title>real</title>", "real"},
      {"<noscript><title>n</title></noscript><noframes><title>f</title></noframes>"
       "<style>/*<title>*/</style><title>real</title>",
       "real"},
      {"<template><title>t</title></template><title>real</title>", "real"},
      {"<body><textarea><title>x</title></textarea><xmp><title>y</title></xmp><title>b</title>",
       "b"},
      {"<svg><title>icon</title></svg><title>real</title>", "real"},
      {"<svg><g><title>icon</title></g><p><title>after a breakout</title>", "after a breakout"},
      {"<math><title>m</title></math><title>real</title>", "real"},
      {"<body><p>text</p><title>in the body</title>", "in the body"},
      {std::string("<title>nul\0!</title>", 20), std::string("nul\0!", 5)},
  };
  for (const auto& [page, title] : cases) EXPECT_EQ(Title(page), title) << page;
}

// Title text as document.title gives it.
TEST(HeadReader, TitleTextDecodesAndCollapses) {
  EXPECT_EQ(TitleText(" \t&copy 2001 &amp;\r\n&lt;b&gt; &#x41;&amp "), "© 2001 & <b> A&");
  EXPECT_EQ(TitleText(std::string("a\0b", 3)),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(TitleText("&notit; &notin;"), "¬it; ∉");
}

PageHead Head(const std::string& page) {
  const PageHead whole = Read(page, kNeedsHead, page.size() + 1);
  const PageHead bytewise = Read(page, kNeedsHead, 1);
  EXPECT_EQ(whole.in_head.noindex, bytewise.in_head.noindex) << page;
  EXPECT_EQ(whole.past_head.noindex, bytewise.past_head.noindex) << page;
  EXPECT_EQ(whole.end.tag, bytewise.end.tag) << page;
  EXPECT_EQ(whole.end.line, bytewise.end.line) << page;
  return whole;
}

// A robots meta counts in the head only: a start tag or text that has no
// place in a head ends it, as browsers and search engines end it.
TEST(HeadReader, NoindexInTheHeadAndPastItsEnd) {
  const std::string robots = "<meta name=\"robots\" content=\"noindex\">";
  struct Case {
    std::string page;
    bool in_head, past_head;
    std::string end;
    std::size_t line;
  } cases[] = {
      {"<head>" + robots + "</head><body>", true, false, "body", 1},
      {"<HEAD><META CONTENT='NoIndex, follow' NAME='Robots'/>", true, false, "", 0},
      {"<meta content=\"none\" name=\" googlebot \"><p>", true, false, "p", 1},
      {"<!DOCTYPE html><?php x(); ?><meta data-x=\">\" name=robots content=noindex>", true, false,
       "", 0},
      {"<head></head>" + robots + "<body>", true, false, "body", 1},  // still the head's
      {"<meta name=robots content=nofollow><meta name=robots content=noindexing>", false, false, "",
       0},
      {"<html>\n<head>\n<b>" + robots + "</b>\n</head>", false, true, "b", 3},
      {"<!DOCTYPE html>>\n<html><head>" + robots + "</head>", false, true, "", 1},
      {"<head><noscript>" + robots + "</noscript><template>" + robots + "</template>", false, false,
       "", 0},
      {"<!-- " + robots + " --><script>'" + robots + "'</script>", false, false, "", 0},
      {"<body>" + robots, false, false, "body", 1},
  };
  for (const Case& c : cases) {
    const PageHead head = Head(c.page);
    EXPECT_EQ(head.in_head.noindex, c.in_head) << c.page;
    EXPECT_EQ(head.past_head.noindex, c.past_head) << c.page;
    EXPECT_EQ(head.end.tag, c.end) << c.page;
    EXPECT_EQ(head.end.line, c.line) << c.page;
  }
  EXPECT_EQ(Head("<!DOCTYPE html>>").end.kind, HeadEnd::kText);
  EXPECT_EQ(Head("<head></head></body>").end.kind, HeadEnd::kEndTag);
}

TEST(HeadReader, RefreshCanonicalAlternatesDescriptionLanguage) {
  const PageHead head = Head(
      "<html lang=' pl '><html lang=en><head>"
      "<meta http-equiv=\"Refresh\" content=\"0;url=a.html?x=1&amp;y=2\">"
      "<meta http-equiv=refresh content=\"0; url=b.html\">"
      "<link REL=\"Canonical\" href=\" /a.html \"><link rel=canonical href=/b>"
      "<link rel=\"alternate\" hreflang=\"de\" href=\"/de/\"><link rel=alternate href=/feed>"
      "<meta name=description content=\"O nas &copy; 2001\"><base href=\"/root/\"></head>");
  EXPECT_EQ(head.lang, "pl");
  EXPECT_TRUE(head.in_head.has_refresh);
  EXPECT_EQ(head.in_head.refresh_url, "a.html?x=1&y=2");
  EXPECT_EQ(head.in_head.canonical_href, "/a.html");
  ASSERT_EQ(head.in_head.alternates.size(), 1u);
  EXPECT_EQ(head.in_head.alternates[0].hreflang, "de");
  EXPECT_EQ(head.description, "O nas © 2001");
  EXPECT_EQ(head.base_href, "/root/");

  std::string url;
  for (const char* content : {"30", "0; url=", "0,'x y.html'"}) {
    EXPECT_EQ(RefreshUrl(content, &url), std::string(content) == "0,'x y.html'") << content;
  }
  EXPECT_EQ(url, "x y.html");
  EXPECT_FALSE(HasWord("canonicalx stylesheet", "canonical"));
}

// A title too long to hold is placed for reading again; a tag that never ends
// stops the reading.
TEST(HeadReader, LongTitlesAndEndlessTags) {
  const std::string body(3 * HeadReader::kHeldTitleLimit, 'x');
  HeadReader closed(kNeedsTitle);
  closed.Feed("ab<title>", 9);
  closed.Feed(body.data(), body.size());
  closed.Feed("\r</TITLE>", 9);
  ASSERT_TRUE(closed.Settled());
  ASSERT_TRUE(closed.NeedsReread());
  EXPECT_EQ(closed.TitleOffset(), 9u);
  EXPECT_EQ(closed.TitleLength(), body.size() + 1);

  HeadReader endless(kNeedsHead);
  const std::string tag = "<meta content=\"" + std::string(HeadReader::kLongestTag, 'x');
  EXPECT_TRUE(endless.Feed(tag.data(), tag.size()));
}

}  // namespace
}  // namespace zorvitan
