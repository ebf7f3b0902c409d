#include "engine/page_text.h"

#include "engine/declared_encoding.h"

#include <gtest/gtest.h>

#include <random>

namespace zorvitan {
namespace {

// A page's encoding, found as browsers find it before they parse the page.
TEST(DeclaredEncoding, ByteOrderMarkElseMetaInTheFirst1024Bytes) {
  const std::string padding(1000, ' ');
  struct Case {
    std::string head, encoding;
  } cases[] = {
      {"<meta charset=\"utf8\">", "UTF-8"},
      {"<META CHARSET=Latin2>", "ISO-8859-2"},
      {"<meta charset = ' x-cp1250 ' >", "windows-1250"},
      {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">",
       "windows-1250"},
      {"<meta content='text/html;charset=\"koi8-r\"' http-equiv=content-type>", "KOI8-R"},
      {"<meta content=\"text/html; charset=shift_jis\">", ""},  // no http-equiv
      {"<meta charset=\"bogus\"><meta charset=\"iso-8859-2\">", "ISO-8859-2"},
      {"<meta charset=\"utf-16\">", "UTF-8"},  // a page that reads this is not UTF-16
      {"<!-- <meta charset=\"koi8-r\"> --><meta charset=\"cp1250\">", "windows-1250"},
      {"<div title=\"<meta charset=koi8-r>\"><meta charset=latin2>", "ISO-8859-2"},
      {"<title>x</title>" + padding + "<meta charset=\"koi8-r\">", ""},  // past the 1024th byte
      {"\xEF\xBB\xBF<meta charset=latin2>", "UTF-8"},
      {"\xFF\xFE<\0", "UTF-16LE"},
      {"\xFE\xFF\0<", "UTF-16BE"},
      {"<meta charset=\"utf-8", ""},  // cut off
  };
  for (const Case& c : cases) EXPECT_EQ(DeclaredEncoding(c.head), c.encoding) << c.head;
}

TEST(LineEnds, EachLineEndsInCrLf) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"", ""},
      {"abc", "abc\r\n"},
      {"abc\r\n", "abc\r\n"},
      {"abc\r", "abc\r\n"},
      {"a\nb", "a\nb\r\n"},  // a lone LF is an ordinary character
      {"a\n", "a\n\r\n"},
      {"\r\n", "\r\n"},
      {"\r\r\n\r", "\r\n\r\n\r\n"},
      {"a\r\nb\rc", "a\r\nb\r\nc\r\n"},
      {std::string("a\0b", 3), std::string("a\0b\r\n", 5)},
  };
  for (const Case& c : cases) EXPECT_EQ(NormalizeLineEnds(c.in), c.out) << c.in;
}

TEST(LineEnds, ChunkBoundariesDoNotMatter) {
  const std::string text = "ab\r\ncd\r\r\nef\ngh\r";
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    std::string out;
    LineEndNormalizer normalizer;
    normalizer.Feed(text.data(), cut, &out);
    normalizer.Feed(text.data() + cut, text.size() - cut, &out);
    normalizer.Finish(&out);
    EXPECT_EQ(out, NormalizeLineEnds(text)) << cut;
  }
}

TEST(Title, Rules) {
  struct Case {
    const char* text;
    const char* title;
  } cases[] = {
      {"<html><title>Start</title>", "Start"},
      {"<TITLE>Duże</Title>", "Duże"},
      {"<title> blanks stay </title>", " blanks stay "},
      {"<title>A &amp; B</title>", "A &amp; B"},
      {"<title>two\r\nlines</title>", "two\r\nlines"},
      {"<title>first</title><title>second</title>", "first"},
      {"no tags", ""},
      {"<title>no end", ""},
      {"only the end</title>", ""},
      {"<title></title>", ""},
      {"<title lang=pl>attr</title>", ""},
      {"< title>blank</title>", ""},
      // A stray closing tag before the opening one must not break the search.
      {"</title><title>late</title>", "late"},
      {"</title><title>never closed", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FindTitle(c.text), c.title) << c.text;
}

// The streaming search over raw bytes must give exactly what the whole-text
// search gives on the page text, however the bytes are cut into pieces.
TEST(Title, ScannerAgreesWithWholeTextSearch) {
  std::mt19937 random(7);
  const char* atoms[] = {"<title>", "</title>", "<TITLE>", "</TiTlE>", "<titl", "e>",
                         "</",      "x",        "\r\n",    "\r",       "\n",    "t"};
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int atoms_count = random() % 12;
    for (int i = 0; i < atoms_count; ++i) text += atoms[random() % 12];
    TitleScanner scanner;
    std::size_t pos = 0;
    while (pos < text.size() && !scanner.Settled()) {
      const std::size_t n = std::min<std::size_t>(1 + random() % 5, text.size() - pos);
      scanner.Feed(text.data() + pos, n);
      pos += n;
    }
    EXPECT_EQ(scanner.Title(), FindTitle(NormalizeLineEnds(text))) << text;
  }
}

TEST(Title, ScannerLetsGoOfAnUnclosedTitleAndPlacesALongOne) {
  const std::string body(3 * TitleScanner::kHeldTitleLimit, 'x');
  TitleScanner unclosed;
  unclosed.Feed("ab<title>", 9);
  for (int i = 0; i < 3; ++i) unclosed.Feed(body.data(), body.size());
  EXPECT_FALSE(unclosed.Settled());
  EXPECT_EQ(unclosed.Title(), "");

  TitleScanner closed;
  closed.Feed("ab<title>", 9);
  closed.Feed(body.data(), body.size());
  closed.Feed("\r</TITLE>", 9);
  ASSERT_TRUE(closed.NeedsReread());
  EXPECT_EQ(closed.TitleOffset(), 9u);
  EXPECT_EQ(closed.TitleLength(), body.size() + 1);
}

}  // namespace
}  // namespace zorvitan
