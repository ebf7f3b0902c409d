// llms.txt: the site's name and summary, a section per folder with its index
// page first, links as a sitemap lists them, optional folders last, and the
// old file kept when nothing is listed.
#include <gtest/gtest.h>

#include <string>

#include "tests/engine/engine_fixture.h"

namespace zorvitan::testing {
namespace {

class LlmsTest : public EngineTest {
 protected:
  LlmsTest() { fs.AddFolder("C:\\s"); }

  RunReport Write() {
    inputs.format = options;
    return Generate("C:\\s", map_file);
  }

  LlmsOptions options{"https://example.com/pl"};
  std::string map_file = "C:\\s\\llms.txt";
};

TEST_F(LlmsTest, SectionsByFolderIndexFirstOptionalLast) {
  fs.AddFile("C:\\s\\index.htm",
             "<title>Firma \xB3\xF3"
             "d\x9F</title><meta charset=windows-1250>"
             "<meta name=description content=\"O nas,\n  kr\xF3tko\">");
  fs.AddFile("C:\\s\\b.htm", "<title>B [x] *y*</title>");
  fs.AddFile("C:\\s\\a b.htm", "");
  fs.AddFile("C:\\s\\oferta\\cennik.htm", "<title>Cennik</title>");
  fs.AddFile("C:\\s\\oferta\\index.html", "<title>Oferta (2024)</title>");
  fs.AddFile("C:\\s\\stare\\x.htm", "<title>X</title><meta name=robots content=noindex>");
  fs.AddFile("C:\\s\\stare\\y.htm", "<title>Y</title>");
  fs.AddFile("C:\\s\\archiwum\\z.htm", "<title>Z</title>");
  options.optional = {"archiwum"};
  ASSERT_EQ(Write().outcome, RunOutcome::kDone);
  EXPECT_EQ(fs.Contents(map_file),
            "# Firma \xC5\x82\xC3\xB3"
            "d\xC5\xBA\n"
            "\n> O nas, kr\xC3\xB3tko\n"
            "\n## Firma \xC5\x82\xC3\xB3"
            "d\xC5\xBA\n\n"
            "- [Firma \xC5\x82\xC3\xB3"
            "d\xC5\xBA](https://example.com/pl/index.htm): O nas, "
            "kr\xC3\xB3tko\n"
            "- [a b.htm](https://example.com/pl/a%20b.htm)\n"
            "- [B \\[x\\] \\*y\\*](https://example.com/pl/b.htm)\n"
            "\n## Oferta (2024)\n\n"
            "- [Oferta (2024)](https://example.com/pl/oferta/index.html)\n"
            "- [Cennik](https://example.com/pl/oferta/cennik.htm)\n"
            "\n## stare\n\n"
            "- [Y](https://example.com/pl/stare/y.htm)\n"
            "\n## Optional\n\n"
            "- [Z](https://example.com/pl/archiwum/z.htm)\n");
}

TEST_F(LlmsTest, NamedByTitleElseTopIndexElseHostAndKeptWhenNothingIsListed) {
  fs.AddFile("C:\\s\\a\\index.htm", "<title>A</title>");
  ASSERT_EQ(Write().outcome, RunOutcome::kDone);
  EXPECT_EQ(fs.Contents(map_file).substr(0, 15), "# example.com\n\n");
  fs.AddFile("C:\\s\\index.htm", "<title>Top</title>");
  ASSERT_EQ(Write().outcome, RunOutcome::kDone);
  EXPECT_EQ(fs.Contents(map_file).substr(0, 7), "# Top\n\n");
  options.has_title = true;
  options.title = "Mapa";
  ASSERT_EQ(Write().outcome, RunOutcome::kDone);
  EXPECT_EQ(fs.Contents(map_file).substr(0, 8), "# Mapa\n\n");

  // The file it wrote is no page; with every page left out, it stays.
  fs.AddFile("C:\\s\\index.htm", "<meta name=robots content=noindex>");
  fs.AddFile("C:\\s\\a\\index.htm", "<meta name=robots content=noindex>");
  const std::string old = fs.Contents(map_file);
  EXPECT_EQ(Write().outcome, RunOutcome::kNothingListed);
  EXPECT_EQ(fs.Contents(map_file), old);
}

}  // namespace
}  // namespace zorvitan::testing
