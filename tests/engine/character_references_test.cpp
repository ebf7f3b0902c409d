#include "engine/page/character_references.h"

#include <gtest/gtest.h>

#include <string>

namespace zorvitan {
namespace {

std::string InText(std::string_view text) { return DecodeCharacterReferences(text, false); }
std::string InAttribute(std::string_view text) { return DecodeCharacterReferences(text, true); }

TEST(CharacterReferences, NamedWithAndWithoutSemicolon) {
  EXPECT_EQ(InText("&lt;b&gt; &AElig;&zwnj;"), "<b> \xC3\x86\xE2\x80\x8C");
  EXPECT_EQ(InText("&copy 2001"), "\xC2\xA9 2001");
  EXPECT_EQ(InText("x&amp"), "x&");
  EXPECT_EQ(InText("&ampx"), "&x");
  EXPECT_EQ(InText("&hellip &Amp; &AMP"), "&hellip &Amp; &");  // no legacy form; case counts
  EXPECT_EQ(InAttribute("&ampx &amp=1 ?a=1&copy=2"), "&ampx &amp=1 ?a=1&copy=2");
  EXPECT_EQ(InAttribute("&amp;x &amp-x &amp"), "&x &-x &");
}

TEST(CharacterReferences, LongestNameInTheTableWins) {
  EXPECT_EQ(InText("&notit;"), "\xC2\xACit;");
  EXPECT_EQ(InText("&notin;"), "\xE2\x88\x89");
  EXPECT_EQ(InText("&notin"), "\xC2\xACin");
  EXPECT_EQ(InAttribute("&notin"), "&notin");  // "&not" is followed by a letter
  EXPECT_EQ(InText("&NotEqualTilde;&nGt;"), "\xE2\x89\x82\xCC\xB8\xE2\x89\xAB\xE2\x83\x92");
}

TEST(CharacterReferences, NumericEdgeCases) {
  EXPECT_EQ(InAttribute("&#65;&#x42&#X43;&#0000068z"), "ABCDz");
  EXPECT_EQ(InText("&#0;&#x110000;&#xD800;&#99999999999999999999999;"),
            "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(InText("&#x80;&#x9F;&#129;"), "\xE2\x82\xAC\xC5\xB8\xC2\x81");  // 0x81 has no letter
  EXPECT_EQ(InText("&#1;&#xFFFF;&#13;"), "\x01\xEF\xBF\xBF\r");
  EXPECT_EQ(InText("&#; &#x; &#xg; &#-1;"), "&#; &#x; &#xg; &#-1;");
}

TEST(CharacterReferences, TellsHowMuchItTookAndLeavesTheRest) {
  std::string out = "<";
  EXPECT_EQ(DecodeCharacterReference("a&#x41;b", 1, false, &out), 6u);
  EXPECT_EQ(DecodeCharacterReference("a&amp b", 1, false, &out), 4u);
  EXPECT_EQ(DecodeCharacterReference("&unknown;", 0, false, &out), 0u);
  EXPECT_EQ(DecodeCharacterReference("a&", 1, false, &out), 0u);
  EXPECT_EQ(out, "<A&");
  EXPECT_EQ(InText("a & b &; && &unknown; &#"), "a & b &; && &unknown; &#");
  EXPECT_EQ(InText(""), "");
}

}  // namespace
}  // namespace zorvitan
