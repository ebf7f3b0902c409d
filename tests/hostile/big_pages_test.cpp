// Pages far larger than any real one, and pages of binary bytes: the title is
// found without reading more than it needs, memory stays bounded whatever the
// size, and title bytes reach the map as they are, NULs included.
#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "tests/hostile/hostile_site.h"

namespace zorvitan::testing {
namespace {

constexpr long long kHuge = 2LL * 1024 * 1024 * 1024;  // 2 GB, a hole behind the head

using BigPagesTest = HostileSite;

TEST_F(BigPagesTest, AHugePageIsReadOnlyUntilItsTitleIsSettled) {
  MakeSparse("site/huge.htm", "<html><head><title>Wielka</title></head>", kHuge);
  const ProgramResult result = RunSite();
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(Map(), "<h1>" + Site() + "</h1>\r\n<br><a href=\"huge.htm\">Wielka</a>\r\n");
  EXPECT_GE(result.bytes_read, 0);
  EXPECT_LT(result.bytes_read, 1024 * 1024);
  EXPECT_LT(result.max_rss_kb, kBoundedRssKb);
}

TEST_F(BigPagesTest, AHugePageWithoutTitleIsReadThroughInBoundedMemory) {
  MakeSparse("site/zeros.htm", "", kHuge);
  const ProgramResult result = RunSite();
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(Map(), "<h1>" + Site() + "</h1>\r\n<br><a href=\"zeros.htm\">#bez tytułu#</a>\r\n");
  EXPECT_GE(result.bytes_read, kHuge);
  EXPECT_LT(result.max_rss_kb, kBoundedRssKb);
}

TEST_F(BigPagesTest, OneLineOf100MegabytesWithTheTitleAtItsEnd) {
  const std::string block(1024 * 1024, 'x');
  const int fd = open((dir_ / "site/line.htm").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(write(fd, block.data(), block.size()), static_cast<ssize_t>(block.size()));
  }
  const std::string tail = "<TITLE>Na samym końcu</title>";
  ASSERT_EQ(write(fd, tail.data(), tail.size()), static_cast<ssize_t>(tail.size()));
  close(fd);
  const ProgramResult result = RunSite();
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(Map(), "<h1>" + Site() + "</h1>\r\n<br><a href=\"line.htm\">Na samym końcu</a>\r\n");
  EXPECT_GT(result.bytes_read, 100LL * 1024 * 1024);
  EXPECT_LT(result.max_rss_kb, kBoundedRssKb);
}

// Control bytes pass and NULs show as U+FFFD, as in the browser's title; bytes
// that are not UTF-8 are read as the legacy code page (windows-1250: 0xC3 "Ă",
// 0xFF "˙"), so the map stays UTF-8.
TEST_F(BigPagesTest, BinaryBytesAndNulsInTitlesReachTheMap) {
  using namespace std::string_literals;
  dir_.Write("site/a.htm", "\0\0\xff\xfe<title>A\0B\x01\x7f\xc3(\xff</title>\0\0"s);
  dir_.Write("site/b.htm", "\0<ti\0tle>nie</title>"s);             // a NUL breaks the tag
  dir_.Write("site/c.htm", "<title>\0</title><title>x</title>"s);  // a title of one NUL
  dir_.Write("site/d.htm", "<title>\r\n\0\n\r</title>"s);          // line ends in the title
  const ProgramResult result = RunSite();
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(Map(), "<h1>" + Site() + "</h1>\r\n" +
                       "<br><a href=\"a.htm\">A&#65533;B\x01\x7fĂ(˙</a>\r\n"s +
                       "<br><a href=\"b.htm\">#bez tytułu#</a>\r\n" +
                       "<br><a href=\"c.htm\">&#65533;</a>\r\n"s +
                       "<br><a href=\"d.htm\">\r\n&#65533;\n\r\n</a>\r\n"s);
}

}  // namespace
}  // namespace zorvitan::testing
