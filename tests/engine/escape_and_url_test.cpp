// What each place escapes in markup, and which bytes each kind of URL keeps:
// one table each, since every writer's bytes hang on these sets.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "engine/text/markup_escape.h"
#include "engine/url/percent_encoding.h"

namespace zorvitan {
namespace {

TEST(MarkupEscape, EachPlaceEscapesItsOwnSet) {
  const std::string_view text("a&b<c>\"d'e\0f", 12);
  const struct {
    EscapeFor place;
    std::string_view escaped;
  } cases[] = {
      {EscapeFor::kHtmlText, {"a&amp;b&lt;c&gt;\"d'e\0f", 22}},
      {EscapeFor::kHtmlAttribute, {"a&amp;b<c>&quot;d'e\0f", 21}},
      {EscapeFor::kHtmlTextOrAttribute, {"a&amp;b&lt;c&gt;&quot;d'e\0f", 27}},
      {EscapeFor::kHtmlSourceText, "a&b&lt;c&gt;\"d'e&#65533;f"},
      {EscapeFor::kXml, {"a&amp;b&lt;c&gt;&quot;d&apos;e\0f", 32}},
  };
  for (const auto& c : cases) {
    std::string out = "<";
    AppendEscaped(text, c.place, &out);
    EXPECT_EQ(out, "<" + std::string(c.escaped)) << static_cast<int>(c.place);
  }
}

TEST(PercentEncoding, EachKindOfUrlKeepsItsOwnBytes) {
  const std::string_view bytes = " a/~%#?[]&\"\x7F\xC5\xBC";
  const struct {
    UrlBytes kept;
    std::string_view encoded;
  } cases[] = {
      {UrlBytes::kPath, "%20a/~%25%23%3F%5B%5D%26%22%7F%C5%BC"},
      {UrlBytes::kComparable, "%20a/~%25#?%5B%5D&%22%7F%C5%BC"},
      {UrlBytes::kWhole, "%20a/~%#?[]&%22%7F%C5%BC"},
      {UrlBytes::kMapHref, " a/~%25%23%3F[]&%22%7F\xC5\xBC"},
  };
  for (const auto& c : cases) {
    std::string out;
    AppendPercentEncoded(bytes, c.kept, &out);
    EXPECT_EQ(out, c.encoded) << static_cast<int>(c.kept);
  }
  // Escapes decoded and written again one way; a "%" that escapes nothing is a byte.
  EXPECT_EQ(ComparableUrlText("/%7a%C5%bc%2F%4"), "/z%C5%BC/%254");
}

}  // namespace
}  // namespace zorvitan
