// The map file: probed without being cut, replaced only by a complete new map.
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "platform/posix/os_platform.h"
#include "platform/temporary_files.h"
#include "tests/support/temp_folder.h"

namespace zorvitan {
namespace {

using testing::TempFolder;

std::vector<std::string> Listing(const std::string& folder) {
  PosixPlatform platform;
  std::vector<DirEntry> entries;
  platform.ListFolder(folder + "/", &entries);
  std::vector<std::string> names;
  for (const DirEntry& entry : entries) {
    if (entry.name != "." && entry.name != "..") names.push_back(entry.name);
  }
  return names;
}

mode_t ModeOf(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

bool WriteText(FileReplacement& output, const std::string& text) {
  return output.Write(text.data(), text.size());
}

TEST(PosixProbeReplaceable, CreatesAMissingMapAndNeverCutsAnExistingOne) {
  TempFolder dir;
  dir.Write("old.htm", "old map\r\n");
  PosixPlatform platform;

  EXPECT_TRUE(platform.ProbeReplaceable(dir / "old.htm"));
  EXPECT_EQ(dir.Read("old.htm"), "old map\r\n");

  EXPECT_TRUE(platform.ProbeReplaceable(dir / "new.htm"));
  EXPECT_TRUE(dir.Exists("new.htm"));
  EXPECT_EQ(dir.Read("new.htm"), "");
}

TEST(PosixProbeReplaceable, FailsForFoldersMissingFoldersAndSpecialFiles) {
  TempFolder dir;
  dir.MakeFolder("folder");
  ASSERT_EQ(mkfifo((dir / "pipe.htm").c_str(), 0600), 0);
  PosixPlatform platform;

  EXPECT_FALSE(platform.ProbeReplaceable(""));
  EXPECT_FALSE(platform.ProbeReplaceable(dir / "folder"));
  EXPECT_FALSE(platform.ProbeReplaceable(dir / "missing/map.htm"));
  EXPECT_FALSE(platform.ProbeReplaceable(dir / "pipe.htm"));  // must not wait for a reader
}

TEST(PosixBeginReplacing, CommitReplacesTheOldMapAndLeavesNoTemporary) {
  TempFolder dir;
  dir.Write("map.htm", "old map\r\n");
  PosixPlatform platform;

  auto output = platform.BeginReplacing(dir / "map.htm");
  ASSERT_NE(output, nullptr);
  EXPECT_EQ(Listing(dir.path()).size(), 2u);  // the old map and the hidden temporary
  EXPECT_TRUE(WriteText(*output, "<h1>/strona/</h1>\r\n"));
  EXPECT_EQ(dir.Read("map.htm"), "old map\r\n");
  ASSERT_TRUE(output->Commit());
  output.reset();

  EXPECT_EQ(dir.Read("map.htm"), "<h1>/strona/</h1>\r\n");
  EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"map.htm"});
}

TEST(PosixBeginReplacing, AnUncommittedMapKeepsTheOldOneAndRemovesItsTemporary) {
  TempFolder dir;
  dir.Write("map.htm", "old map\r\n");
  PosixPlatform platform;
  {
    auto output = platform.BeginReplacing(dir / "map.htm");
    ASSERT_NE(output, nullptr);
    EXPECT_TRUE(WriteText(*output, std::string(200000, 'x')));
  }
  EXPECT_EQ(dir.Read("map.htm"), "old map\r\n");
  EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"map.htm"});
}

TEST(PosixBeginReplacing, AnInterruptRemovesEveryTemporaryOfASetAndNoCommittedFile) {
  TempFolder dir;
  PosixPlatform platform;
  auto first = platform.BeginReplacing(dir / "sitemap-1.xml");
  auto second = platform.BeginReplacing(dir / "sitemap-2.xml");
  auto index = platform.BeginReplacing(dir / "sitemap.xml");
  ASSERT_TRUE(first && second && index);
  ASSERT_TRUE(WriteText(*first, "1") && first->Finish() && WriteText(*second, "2"));
  EXPECT_FALSE(WriteText(*first, "late"));  // a finished file takes no more
  ASSERT_TRUE(index->Commit());
  EXPECT_EQ(Listing(dir.path()).size(), 3u);
  RemoveTemporaryFiles();
  EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"sitemap.xml"});
  EXPECT_FALSE(first->Commit());
}

TEST(PosixBeginReplacing, LargeAndSmallWritesArriveInOrder) {
  TempFolder dir;
  PosixPlatform platform;
  std::string expected;
  auto output = platform.BeginReplacing(dir / "map.htm");
  ASSERT_NE(output, nullptr);
  for (int i = 0; i < 3000; ++i) {
    const std::string piece =
        i % 1000 == 999 ? std::string(70000, static_cast<char>('a' + i % 26)) : std::to_string(i);
    ASSERT_TRUE(WriteText(*output, piece));
    expected += piece;
  }
  ASSERT_TRUE(output->Commit());
  EXPECT_EQ(dir.Read("map.htm"), expected);
}

TEST(PosixBeginReplacing, KeepsTheOldMapsPermissionsAndGivesANewOneTheUmasksOnes) {
  TempFolder dir;
  dir.Write("old.htm", "old");
  ASSERT_EQ(chmod((dir / "old.htm").c_str(), 0640), 0);
  const mode_t mask = umask(022);
  PosixPlatform platform;

  for (const char* name : {"old.htm", "new.htm"}) {
    auto output = platform.BeginReplacing(dir / name);
    ASSERT_NE(output, nullptr);
    ASSERT_TRUE(output->Commit());
  }
  umask(mask);
  EXPECT_EQ(ModeOf(dir / "old.htm"), 0640u);
  EXPECT_EQ(ModeOf(dir / "new.htm"), 0644u);
}

TEST(PosixBeginReplacing, ALinkToTheMapStaysALink) {
  TempFolder dir;
  dir.MakeFolder("maps");
  dir.Write("maps/real.htm", "old");
  ASSERT_EQ(symlink("maps/real.htm", (dir / "map.htm").c_str()), 0);
  PosixPlatform platform;

  auto output = platform.BeginReplacing(dir / "map.htm");
  ASSERT_NE(output, nullptr);
  EXPECT_TRUE(WriteText(*output, "new"));
  ASSERT_TRUE(output->Commit());

  struct stat st;
  ASSERT_EQ(lstat((dir / "map.htm").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(dir.Read("maps/real.htm"), "new");
}

TEST(PosixBeginReplacing, RefusesAFolderOrAMissingFolder) {
  TempFolder dir;
  dir.MakeFolder("map.htm");
  PosixPlatform platform;
  EXPECT_EQ(platform.BeginReplacing(dir / "map.htm"), nullptr);
  EXPECT_EQ(platform.BeginReplacing(dir / "missing/map.htm"), nullptr);
  EXPECT_EQ(platform.BeginReplacing(""), nullptr);
  EXPECT_EQ(Listing(dir.path()), std::vector<std::string>{"map.htm"});
}

TEST(PosixBeginReplacing, ARelativePathIsTakenFromTheFolderCurrentWhenTheMapBegins) {
  TempFolder first, second;
  char saved[PATH_MAX];
  ASSERT_NE(getcwd(saved, sizeof saved), nullptr);
  PosixPlatform platform;

  ASSERT_TRUE(platform.SetCurrentFolder(first.path()));
  auto output = platform.BeginReplacing("map.htm");
  ASSERT_TRUE(platform.SetCurrentFolder(second.path()));
  ASSERT_NE(output, nullptr);
  EXPECT_TRUE(WriteText(*output, "map"));
  const bool committed = output->Commit();
  ASSERT_EQ(chdir(saved), 0);

  ASSERT_TRUE(committed);
  EXPECT_EQ(first.Read("map.htm"), "map");
  EXPECT_FALSE(second.Exists("map.htm"));
}

}  // namespace
}  // namespace zorvitan
