#include "engine/walk/page_index.h"

#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace zorvitan::testing {
namespace {

using Paths = std::vector<std::string>;

class PageIndexTest : public EngineTest {
 protected:
  // Walks the site with the fixture's inputs into `paths` and `unopened`.
  bool Index(const std::string& site = "C:\\site\\") {
    inputs.site_folder = site;
    PageIndex index(inputs, fs, fs, window);
    PageList pages;
    const bool complete = index.IndexPages(&pages);
    paths = PathsOf(pages);
    unopened = index.UnopenedFolders();
    return complete;
  }
  Paths paths;
  Paths unopened;
};

TEST_F(PageIndexTest, WalksPreOrderAndListsFolderByFolder) {
  fs.AddFile("C:\\site\\index.htm", "");
  fs.AddFile("C:\\site\\b\\b.htm", "");
  fs.AddFile("C:\\site\\a\\x\\x.htm", "");
  fs.AddFile("C:\\site\\a\\a2.htm", "");
  fs.AddFile("C:\\site\\a\\A1.htm", "");
  fs.AddFile("C:\\site\\zeta.html", "");
  fs.AddFile("C:\\site\\notes.txt", "");
  EXPECT_TRUE(Index());
  EXPECT_EQ(paths, (Paths{"C:\\site\\index.htm", "C:\\site\\zeta.html", "C:\\site\\a\\A1.htm",
                          "C:\\site\\a\\a2.htm", "C:\\site\\a\\x\\x.htm", "C:\\site\\b\\b.htm"}));
}

TEST_F(PageIndexTest, DriveRootAsSiteFolder) {
  fs.AddFile("C:\\page.htm", "");
  fs.AddFile("C:\\a\\in.htm", "");
  EXPECT_TRUE(Index("C:\\"));
  EXPECT_EQ(paths, (Paths{"C:\\page.htm", "C:\\a\\in.htm"}));
}

TEST_F(PageIndexTest, HiddenFoldersAreWalkedHiddenAndSystemFilesAreNot) {
  fs.AddFolder("C:\\site\\ukryty", /*hidden=*/true);
  fs.AddFile("C:\\site\\ukryty\\seen.htm", "");
  fs.AddFile("C:\\site\\ukryty\\hidden.htm", "", /*hidden=*/true);
  fs.AddFile("C:\\site\\system.htm", "", false, /*system=*/true);
  fs.AddFolder("C:\\site\\folder.htm");  // a folder whose name matches is no page
  EXPECT_TRUE(Index());
  EXPECT_EQ(paths, (Paths{"C:\\site\\ukryty\\seen.htm"}));
}

TEST_F(PageIndexTest, PatternsComeFromTheField) {
  fs.AddFile("C:\\site\\a.htm", "");
  fs.AddFile("C:\\site\\b.php", "");
  fs.AddFile("C:\\site\\C.PHP", "");
  fs.AddFile(
      "C:\\site\\\x01"
      "b日本.php",
      "");  // a name outside the code page, marked
  inputs.patterns = "b*.php; c*";
  EXPECT_TRUE(Index());
  EXPECT_EQ(paths, (Paths{"C:\\site\\b.php",
                          "C:\\site\\\x01"
                          "b日本.php",
                          "C:\\site\\C.PHP"}));
}

TEST_F(PageIndexTest, FoldersBelowEmptyFoldersAreStillListed) {
  fs.AddFile("C:\\site\\empty\\deeper\\p.htm", "");
  EXPECT_TRUE(Index());
  EXPECT_EQ(paths, (Paths{"C:\\site\\empty\\deeper\\p.htm"}));
}

TEST_F(PageIndexTest, LinksDoNotLoopAndFoldersAreWalkedOnce) {
  fs.AddFile("C:\\site\\a\\p.htm", "");
  fs.AddLink("C:\\site\\a\\back", "C:\\site");  // a loop to the site itself
  fs.AddLink("C:\\site\\b", "C:\\site\\a");     // a second way to a
  fs.AddFile("C:\\other\\o.htm", "");
  fs.AddLink("C:\\site\\c", "C:\\other");  // not walked yet: walked under its link name
  EXPECT_TRUE(Index());
  EXPECT_EQ(window.events, 3) << "the site, a and c walked";
  EXPECT_EQ(paths, (Paths{"C:\\site\\a\\p.htm", "C:\\site\\c\\o.htm"}));
}

TEST_F(PageIndexTest, FolderThatCannotBeOpenedIsReportedNotDescended) {
  fs.AddFile("C:\\site\\locked\\p.htm", "");
  fs.AddFile("C:\\site\\q.htm", "");
  fs.unlistable_folders.insert("C:\\site\\locked\\");
  EXPECT_TRUE(Index());
  EXPECT_EQ(unopened, Paths{"C:\\site\\locked\\"});
  EXPECT_EQ(paths, (Paths{"C:\\site\\q.htm"}));
}

TEST_F(PageIndexTest, ClosingTheWindowStopsTheWalkBeforeTheNextFolder) {
  for (int i = 0; i < 5; ++i) fs.AddFile("C:\\site\\f" + std::to_string(i) + "\\p.htm", "");
  window.close_at_event = 4;  // the site folder and f0 to f2 are walked
  EXPECT_FALSE(Index());
  EXPECT_EQ(paths.size(), 3u);
}

}  // namespace
}  // namespace zorvitan::testing
