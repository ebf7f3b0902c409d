#include "engine/page/page_text.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/page/declared_encoding.h"

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

}  // namespace
}  // namespace zorvitan
