// --exclude: the glob rules, and what the walk leaves out with them.
#include "engine/walk/exclusions.h"

#include <gtest/gtest.h>

#include "engine/walk/page_index.h"
#include "tests/engine/engine_fixture.h"

namespace zorvitan::testing {
namespace {

TEST(Globs, StarsStayInANameDoubleStarsCrossFolders) {
  struct Case {
    const char* glob;
    const char* path;
    bool matches;
  };
  const Case cases[] = {
      {"*.htm", "a.htm", true},        {"*.htm", "d/a.htm", false},
      {"d/*.htm", "d/a.htm", true},    {"?.htm", "ab.htm", false},
      {"?.htm", "/.htm", false},       {"**/*.htm", "a.htm", true},
      {"**/*.htm", "d/e/a.htm", true}, {"**/old/*", "x/old/a", true},
      {"**/old/*", "old/a", true},     {"**/old/*", "xold/a", false},
      {"d/**", "d/e/f.htm", true},     {"d/**", "dx/f.htm", false},
      {"d**", "dx/f.htm", true},       {"a*b*c", "abxbxc", true},
      {"a*b*c", "abxbx/c", false},     {"tmp", "tmp", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchGlob(c.glob, c.path), c.matches) << c.glob << " " << c.path;
  }
  // Many stars against a long name that just misses: no backtracking blow-up.
  EXPECT_FALSE(MatchGlob("*a*a*a*a*a*a*a*a*b", std::string(5000, 'a')));
}

class ExclusionsTest : public EngineTest {
 protected:
  RunReport GenerateExcluding(const std::vector<std::string>& globs) {
    inputs.excludes = globs;
    const RunReport report = Generate("C:\\site", "C:\\map.htm", "*.htm");
    PageList pages;
    inputs.site_folder = "C:\\site\\";
    PageIndex(inputs, fs, fs, window).IndexPages(&pages);
    page_list = PathsOf(pages);
    return report;
  }
  std::vector<std::string> page_list;
};

TEST_F(ExclusionsTest, ExcludedPagesAndFoldersAreLeftOutOfTheHtmlMap) {
  fs.AddFile("C:\\site\\index.htm", Page("Start"));
  fs.AddFile("C:\\site\\Drafts\\a.htm", "");
  fs.AddFile("C:\\site\\news\\old.htm", "");
  fs.AddFile("C:\\site\\news\\new.htm", "");
  fs.AddFile("C:\\site\\news\\Old\\x.htm", "");
  // Never listed: were it walked, the run would report it.
  fs.unlistable_folders.insert("C:\\site\\Drafts\\");
  // Letters fold as Windows folds them; a backslash reads as "/".
  const RunReport report = GenerateExcluding({"/drafts", "news\\OLD.*", "**/old/**"});
  EXPECT_EQ(report.outcome, RunOutcome::kDone);
  EXPECT_TRUE(report.summary.unopened_folders.empty());
  EXPECT_EQ(report.summary.pages_found, 2u);
  EXPECT_EQ(page_list,
            (std::vector<std::string>{"C:\\site\\index.htm", "C:\\site\\news\\new.htm"}));
  EXPECT_EQ(fs.Contents("C:\\map.htm"),
            "<h1>C:\\site\\</h1>\r\n<br><a href=\"index.htm\">Start</a>\r\n"
            "<h1>C:\\site\\news\\</h1>\r\n<br><a href=\"news\\new.htm\">#bez tytu\xB3u#</a>\r\n");
}

TEST_F(ExclusionsTest, MarkedNamesMatchByTheirOwnLetters) {
  fs.AddFile("C:\\site\\\x01日本.htm", "");
  fs.AddFile("C:\\site\\b.htm", "");
  GenerateExcluding({"日*"});
  EXPECT_EQ(page_list, (std::vector<std::string>{"C:\\site\\b.htm"}));
}

}  // namespace
}  // namespace zorvitan::testing
