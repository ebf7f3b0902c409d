#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "platform/win32/os_platform.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/directory_link.h"

namespace zorvitan {
namespace {

using testing::TempFolder;

const char kPolishPage[] = "za\xBF\xF3\xB3\xE6.html";  // "zażółć.html" in code page 1250

std::map<std::string, DirEntry> ListByName(Win32Platform& platform, const std::string& folder) {
  std::vector<DirEntry> entries;
  EXPECT_TRUE(platform.ListFolder(folder, &entries)) << folder;
  std::map<std::string, DirEntry> by_name;
  for (const DirEntry& entry : entries) by_name[entry.name] = entry;
  return by_name;
}

TEST(ListFolderTest, ReturnsEveryEntryWithItsAttributes) {
  TempFolder site;
  site.Write("index.htm", "<title>Start</title>");
  site.Write(kPolishPage, "x");
  site.MakeFolder("Dzial");
  SetFileAttributesA(site.Write("ukryty.htm", "").c_str(), FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(site.Write("systemowy.htm", "").c_str(), FILE_ATTRIBUTE_SYSTEM);
  SetFileAttributesA(site.MakeFolder("ukryty").c_str(), FILE_ATTRIBUTE_HIDDEN);

  Win32Platform platform;
  const auto entries = ListByName(platform, site.folder());

  ASSERT_EQ(entries.count("index.htm"), 1u);
  EXPECT_TRUE(entries.at("index.htm").is_file);
  EXPECT_FALSE(entries.at("index.htm").is_folder);
  EXPECT_FALSE(entries.at("index.htm").hidden);
  EXPECT_FALSE(entries.at("index.htm").system);

  // The Polish name comes back in code page 1250, byte for byte.
  ASSERT_EQ(entries.count(kPolishPage), 1u);
  EXPECT_TRUE(entries.at(kPolishPage).is_file);

  ASSERT_EQ(entries.count("Dzial"), 1u);
  EXPECT_TRUE(entries.at("Dzial").is_folder);
  EXPECT_FALSE(entries.at("Dzial").is_file);

  ASSERT_EQ(entries.count("ukryty.htm"), 1u);
  EXPECT_TRUE(entries.at("ukryty.htm").hidden);
  EXPECT_TRUE(entries.at("ukryty.htm").is_file);
  ASSERT_EQ(entries.count("systemowy.htm"), 1u);
  EXPECT_TRUE(entries.at("systemowy.htm").system);
  ASSERT_EQ(entries.count("ukryty"), 1u);
  EXPECT_TRUE(entries.at("ukryty").hidden);
  EXPECT_TRUE(entries.at("ukryty").is_folder);

  // Nothing but what was created, "." and "..".
  for (const auto& name_entry : entries) {
    if (name_entry.first == "." || name_entry.first == "..") {
      EXPECT_TRUE(name_entry.second.is_folder);
    }
  }
  EXPECT_LE(entries.size(), 8u);
}

TEST(ListFolderTest, EmptyFolderSucceedsAndMissingFolderFails) {
  TempFolder site;
  Win32Platform platform;
  std::vector<DirEntry> entries;
  EXPECT_TRUE(platform.ListFolder(site.MakeFolder("pusty"), &entries));
  for (const DirEntry& entry : entries) EXPECT_TRUE(entry.name == "." || entry.name == "..");

  EXPECT_FALSE(platform.ListFolder(site.folder() + "brak\\", &entries));
}

TEST(ListFolderTest, ListedPolishNameOpensAgain) {
  TempFolder site;
  site.Write(kPolishPage, "tre\x9C\xE6");
  Win32Platform platform;
  ASSERT_EQ(ListByName(platform, site.folder()).count(kPolishPage), 1u);
  auto page = platform.OpenPage(site.folder() + kPolishPage);
  ASSERT_NE(page, nullptr);
  char buffer[16];
  EXPECT_EQ(page->Read(buffer, sizeof(buffer)), 5);
}

TEST(FolderIdentityTest, SameFolderByTwoRoutesAndDistinctFolders) {
  TempFolder site;
  const std::string a = site.MakeFolder("a");
  const std::string b = site.MakeFolder("b");
  Win32Platform platform;

  std::string id_a, id_a_again, id_a_upper, id_b;
  ASSERT_TRUE(platform.FolderIdentity(a, &id_a));
  ASSERT_TRUE(platform.FolderIdentity(site.folder() + "b\\..\\a", &id_a_again));
  ASSERT_TRUE(platform.FolderIdentity(site.folder() + "A\\", &id_a_upper));
  ASSERT_TRUE(platform.FolderIdentity(b, &id_b));
  EXPECT_EQ(id_a, id_a_again);
  EXPECT_EQ(id_a, id_a_upper);
  EXPECT_NE(id_a, id_b);
}

TEST(FolderIdentityTest, MissingFolderOrFileHasNoIdentity) {
  TempFolder site;
  Win32Platform platform;
  std::string id;
  EXPECT_FALSE(platform.FolderIdentity(site.folder() + "brak\\", &id));
  EXPECT_FALSE(platform.FolderIdentity(site.Write("plik.htm", ""), &id));
}

TEST(FolderIdentityTest, LinkBackToAnOuterFolderHasThatFoldersIdentity) {
  TempFolder site;
  const std::string inner = site.MakeFolder("dzial");
  const std::string link = inner + "petla";
  const std::string site_folder = site.folder().substr(0, site.folder().size() - 1);
  DirectoryLink loop;
  ASSERT_TRUE(loop.Create(link, site_folder)) << loop.failure();
  Win32Platform platform;
  const auto entries = ListByName(platform, inner);
  ASSERT_EQ(entries.count("petla"), 1u);
  EXPECT_TRUE(entries.at("petla").is_folder);

  std::string id_site, id_link;
  ASSERT_TRUE(platform.FolderIdentity(site.folder(), &id_site));
  ASSERT_TRUE(platform.FolderIdentity(link + "\\", &id_link));
  EXPECT_EQ(id_site, id_link);
}

// Puts the process's current folder back after a test that moves it.
class CurrentFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char saved[MAX_PATH + 1];
    GetCurrentDirectoryA(sizeof(saved), saved);
    saved_ = saved;
  }
  void TearDown() override { SetCurrentDirectoryA(saved_.c_str()); }

  // A member, so it is removed after TearDown has left it: the current
  // folder cannot be removed.
  TempFolder site_;

  static std::string Current() {
    char current[MAX_PATH + 1];
    GetCurrentDirectoryA(sizeof(current), current);
    return current;
  }

 private:
  std::string saved_;
};

TEST_F(CurrentFolderTest, DrivePathBecomesTheCurrentFolder) {
  const TempFolder& site = site_;
  const std::string folder = site.MakeFolder("strona");
  Win32Platform platform;
  ASSERT_TRUE(platform.SetCurrentFolder(folder));
  EXPECT_EQ(platform.FoldCase(Current() + "\\"), platform.FoldCase(folder));

  // Without the trailing backslash, as the user may type it.
  ASSERT_TRUE(platform.SetCurrentFolder(site.folder().substr(0, site.folder().size() - 1)));
  EXPECT_EQ(platform.FoldCase(Current() + "\\"), platform.FoldCase(site.folder()));
}

TEST_F(CurrentFolderTest, PathsWithoutAUsableDriveOrFolderFailAndKeepTheFolder) {
  const TempFolder& site = site_;
  Win32Platform platform;
  ASSERT_TRUE(platform.SetCurrentFolder(site.folder()));
  const std::string before = Current();

  EXPECT_FALSE(platform.SetCurrentFolder("\\\\server\\x"));
  EXPECT_FALSE(platform.SetCurrentFolder("\\\\server\\x\\"));
  EXPECT_FALSE(platform.SetCurrentFolder(""));
  EXPECT_FALSE(platform.SetCurrentFolder("C"));
  EXPECT_FALSE(platform.SetCurrentFolder("strona"));
  EXPECT_FALSE(platform.SetCurrentFolder("1:\\strona"));
  EXPECT_EQ(Current(), before);

  // A missing folder on a real drive fails too.
  EXPECT_FALSE(platform.SetCurrentFolder(site.folder() + "brak\\"));
}

}  // namespace
}  // namespace zorvitan
