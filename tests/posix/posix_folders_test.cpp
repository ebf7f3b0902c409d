// Folder listing, folder identity and the current folder on a real file system.
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "platform/posix/os_platform.h"
#include "tests/support/temp_folder.h"

namespace zorvitan {
namespace {

using testing::TempFolder;

const DirEntry* Find(const std::vector<DirEntry>& entries, const std::string& name) {
  for (const DirEntry& entry : entries) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

std::vector<std::string> NamesWithoutDots(const std::vector<DirEntry>& entries) {
  std::vector<std::string> names;
  for (const DirEntry& entry : entries) {
    if (entry.name != "." && entry.name != "..") names.push_back(entry.name);
  }
  return names;
}

TEST(PosixListFolder, TellsFilesFoldersAndHiddenNamesInByteOrder) {
  TempFolder site;
  site.Write("b.htm", "b");
  site.Write("A.htm", "a");
  site.Write(".szkic.htm", "draft");
  site.Write("zażółć.html", "pl");
  site.MakeFolder("dział");
  site.MakeFolder(".git");

  PosixPlatform platform;
  std::vector<DirEntry> entries;
  ASSERT_TRUE(platform.ListFolder(site.path() + "/", &entries));

  EXPECT_EQ(NamesWithoutDots(entries), (std::vector<std::string>{".git", ".szkic.htm", "A.htm",
                                                                 "b.htm", "dział", "zażółć.html"}));
  const DirEntry* page = Find(entries, "b.htm");
  EXPECT_TRUE(page->is_file && !page->is_folder && !page->hidden && !page->system);
  const DirEntry* folder = Find(entries, "dział");
  EXPECT_TRUE(folder->is_folder && !folder->is_file && !folder->hidden);
  EXPECT_TRUE(Find(entries, ".szkic.htm")->hidden);
  EXPECT_TRUE(Find(entries, ".git")->hidden);
  EXPECT_TRUE(Find(entries, ".git")->is_folder);
}

TEST(PosixListFolder, FollowsLinksAndKeepsSpecialFilesOut) {
  TempFolder site;
  site.MakeFolder("real");
  site.Write("page.htm", "p");
  ASSERT_EQ(symlink((site / "real").c_str(), (site / "to_folder").c_str()), 0);
  ASSERT_EQ(symlink("page.htm", (site / "to_page.htm").c_str()), 0);
  ASSERT_EQ(symlink("nowhere.htm", (site / "dangling.htm").c_str()), 0);
  ASSERT_EQ(mkfifo((site / "pipe.htm").c_str(), 0600), 0);

  PosixPlatform platform;
  std::vector<DirEntry> entries;
  ASSERT_TRUE(platform.ListFolder(site.path() + "/", &entries));

  EXPECT_TRUE(Find(entries, "to_folder")->is_folder);
  EXPECT_FALSE(Find(entries, "to_folder")->is_file);
  EXPECT_TRUE(Find(entries, "to_page.htm")->is_file);
  for (const char* name : {"dangling.htm", "pipe.htm"}) {
    SCOPED_TRACE(name);
    ASSERT_NE(Find(entries, name), nullptr);
    EXPECT_FALSE(Find(entries, name)->is_file);
    EXPECT_FALSE(Find(entries, name)->is_folder);
  }
}

TEST(PosixListFolder, FailsForWhatIsNoFolder) {
  TempFolder site;
  site.Write("page.htm", "p");
  PosixPlatform platform;
  std::vector<DirEntry> entries;
  EXPECT_FALSE(platform.ListFolder(site / "missing/", &entries));
  EXPECT_FALSE(platform.ListFolder(site / "page.htm/", &entries));
  EXPECT_TRUE(entries.empty());
}

TEST(PosixFolderIdentity, IsEqualThroughLinksAndDiffersOtherwise) {
  TempFolder site;
  site.MakeFolder("a");
  site.MakeFolder("b");
  ASSERT_EQ(symlink((site / "a").c_str(), (site / "loop").c_str()), 0);

  PosixPlatform platform;
  std::string a, b, loop;
  ASSERT_TRUE(platform.FolderIdentity(site / "a/", &a));
  ASSERT_TRUE(platform.FolderIdentity(site / "b/", &b));
  ASSERT_TRUE(platform.FolderIdentity(site / "loop/", &loop));
  EXPECT_EQ(a, loop);
  EXPECT_NE(a, b);
  EXPECT_FALSE(platform.FolderIdentity(site / "missing/", &a));
}

class PosixCurrentFolder : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(getcwd(saved_, sizeof saved_), nullptr); }
  void TearDown() override { ASSERT_EQ(chdir(saved_), 0); }
  std::string Current() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) ? buffer : "";
  }
  char saved_[PATH_MAX];
};

TEST_F(PosixCurrentFolder, ChangesToTheFolderOrFailsLeavingItAlone) {
  TempFolder site;
  site.MakeFolder("strona");
  site.Write("page.htm", "p");
  PosixPlatform platform;

  ASSERT_TRUE(platform.SetCurrentFolder(site / "strona/"));
  const std::string inside = Current();
  EXPECT_EQ(inside.substr(inside.size() - 7), "/strona");

  EXPECT_FALSE(platform.SetCurrentFolder(""));
  EXPECT_FALSE(platform.SetCurrentFolder(site / "missing/"));
  EXPECT_FALSE(platform.SetCurrentFolder(site / "page.htm"));
  EXPECT_EQ(Current(), inside);
}

TEST(PosixNames, CompareCaseSensitivelyAndPassTextUnchanged) {
  PosixPlatform platform;
  EXPECT_EQ(platform.Separator(), '/');
  EXPECT_EQ(platform.FoldCase("/Strona/Dział/"), "/Strona/Dział/");
  EXPECT_EQ(platform.ProgramText("Błąd"), "Błąd");
}

}  // namespace
}  // namespace zorvitan
