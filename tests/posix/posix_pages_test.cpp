// Reading page files: bytes unchanged, and nothing but regular files opened.
#include <sys/stat.h>

#include <memory>
#include <string>

#include "gtest/gtest.h"
#include "platform/posix/os_platform.h"
#include "tests/support/temp_folder.h"

namespace zorvitan {
namespace {

using testing::TempFolder;

std::string ReadAll(PageReader& reader, std::size_t chunk) {
  std::string text;
  std::string buffer(chunk, '\0');
  long n;
  while ((n = reader.Read(buffer.data(), buffer.size())) > 0) text.append(buffer.data(), n);
  EXPECT_EQ(n, 0);
  return text;
}

TEST(PosixOpenPage, ReadsTheBytesUnchangedInAnyChunkSize) {
  TempFolder site;
  using namespace std::string_literals;
  const std::string bytes = "<title>Zażółć\r\ngęślą\0jaźń</title>\r\n\n\r"s;
  site.Write("page.htm", bytes);
  site.Write("empty.htm", "");

  PosixPlatform platform;
  for (std::size_t chunk : {1u, 7u, 4096u}) {
    auto reader = platform.OpenPage(site / "page.htm");
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(ReadAll(*reader, chunk), bytes) << chunk;
  }
  auto empty = platform.OpenPage(site / "empty.htm");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(ReadAll(*empty, 16), "");
}

TEST(PosixOpenPage, RefusesWhatIsNoRegularFileWithoutWaiting) {
  TempFolder site;
  site.MakeFolder("folder.htm");
  // Opening a FIFO for reading waits for a writer; the reader must not.
  ASSERT_EQ(mkfifo((site / "pipe.htm").c_str(), 0600), 0);
  ASSERT_EQ(symlink("pipe.htm", (site / "to_pipe.htm").c_str()), 0);

  PosixPlatform platform;
  EXPECT_EQ(platform.OpenPage(site / "pipe.htm"), nullptr);
  EXPECT_EQ(platform.OpenPage(site / "to_pipe.htm"), nullptr);
  EXPECT_EQ(platform.OpenPage(site / "folder.htm"), nullptr);
  EXPECT_EQ(platform.OpenPage(site / "missing.htm"), nullptr);
}

TEST(PosixOpenPage, FollowsALinkToAPage) {
  TempFolder site;
  site.Write("page.htm", "<title>A</title>");
  ASSERT_EQ(symlink("page.htm", (site / "link.htm").c_str()), 0);
  PosixPlatform platform;
  auto reader = platform.OpenPage(site / "link.htm");
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(ReadAll(*reader, 64), "<title>A</title>");
}

}  // namespace
}  // namespace zorvitan
