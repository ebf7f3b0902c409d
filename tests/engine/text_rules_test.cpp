#include "engine/text/text_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/walk/pattern.h"

namespace zorvitan {
namespace {

TEST(TextRules, FolderOfKeepsItsSeparator) {
  EXPECT_EQ(FolderOf("C:\\strona\\dzial\\a.htm", '\\'), "C:\\strona\\dzial\\");
  EXPECT_EQ(FolderOf("C:\\a.htm", '\\'), "C:\\");
  EXPECT_EQ(FolderOf("a.htm", '\\'), "");
  EXPECT_EQ(FolderOf("/srv/site/a.htm", '/'), "/srv/site/");
}

TEST(TextRules, WithForwardSlashesTurnsSeparatorsIntoSlashes) {
  EXPECT_EQ(WithForwardSlashes("dzial\\sub\\a.htm", '\\'), "dzial/sub/a.htm");
  EXPECT_EQ(WithForwardSlashes("", '\\'), "");
  // On POSIX a backslash is part of a name and stays.
  EXPECT_EQ(WithForwardSlashes("a\\b/c.htm", '/'), "a\\b/c.htm");
}

TEST(TextRules, FindNoCaseFoldsAsciiOnly) {
  EXPECT_EQ(FindNoCase("xx<TiTlE>", "<title>"), 2u);
  EXPECT_EQ(FindNoCase("<title><title>", "<title>", 1), 7u);
  EXPECT_EQ(FindNoCase("<titl", "<title>"), std::string::npos);
  EXPECT_EQ(FindNoCase("abc", "<title>", 10), std::string::npos);
  EXPECT_EQ(FindNoCase("\xC0", "\xE0"), std::string::npos);
}

TEST(TextRules, NamesSortCaseInsensitivelyWithRawBytesBreakingTies) {
  std::vector<std::string> names = {"b.htm",
                                    "A.htm",
                                    "a.htm",
                                    "_x.htm",
                                    "\xB3"
                                    "a.htm",
                                    "B.htm"};
  std::sort(names.begin(), names.end(), NameLess);
  EXPECT_EQ(names, (std::vector<std::string>{"_x.htm", "A.htm", "a.htm", "B.htm", "b.htm",
                                             "\xB3"
                                             "a.htm"}));
}

TEST(Patterns, SplitAtSemicolonsAndTrimBlanks) {
  PatternSet set(" *.htm;*.HTML ;; \t*.php;");
  for (const char* name : {"a.htm", "b.html", "c.php"}) EXPECT_TRUE(set.Matches(name)) << name;
  EXPECT_FALSE(set.Matches("d.txt"));
  EXPECT_FALSE(set.Matches(""));  // no empty pattern from ";;" or the ";" at the end
  EXPECT_FALSE(PatternSet("").Matches("a.htm"));
}

TEST(Patterns, WildcardsAndCase) {
  struct Case {
    const char* pattern;
    const char* name;
    bool match;
  } cases[] = {
      {"*.htm", "index.htm", true},
      {"*.htm", "INDEX.HTM", true},
      {"*.htm", "index.html", false},
      {"*.htm", "a.htm.bak", false},
      {"*htm", "xhtm", true},
      {"*.*", "README", true},
      {"*.*", ".hidden", true},
      {"?.htm", "a.htm", true},
      {"?.htm", "ab.htm", false},
      {"a*b*c", "aXbYc", true},
      {"a*b*c", "aXbYcd", false},
      {"*", "", true},
      {"strona?.*", "strona1.php", true},
      {"*.php", "a.php ", false},
      // The Windows file system's own rules for dots.
      {"*.", "README", true},
      {"*.", "a.txt", false},
      {"README.*", "README", true},
      {"README.*", "readme.md", true},
      {"README.*", "READMEX", false},
      {"p??.htm", "p.htm", true},
      {"*.h*", "a.b.htm", true},
      {"*.", ".htaccess", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PatternSet(c.pattern).Matches(c.name), c.match) << c.pattern << " vs " << c.name;
  }
  EXPECT_TRUE(PatternSet("*.htm; *.php").Matches("b.php"));
  EXPECT_FALSE(PatternSet("*.php").Matches("a.htm"));
}

}  // namespace
}  // namespace zorvitan
