// Names with every byte a file system allows, very deep and very wide trees:
// every page reaches the map, its name byte for byte.
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "tests/hostile/hostile_site.h"

namespace zorvitan::testing {
namespace {

std::string Hex(int byte) {
  char text[3];
  std::snprintf(text, sizeof text, "%02x", byte);
  return text;
}

using NamesTest = HostileSite;

// In a link, only what would end the attribute or change where the URL leads
// is encoded, and a byte that is not UTF-8 (a lone byte past 0x7F), so the map
// stays UTF-8 and the link leads to the file; every other byte stands as it is.
std::string HrefByte(int byte) {
  if (byte == '&') return "&amp;";
  if (byte < 0x20 || byte >= 0x7F || byte == '%' || byte == '#' || byte == '?' || byte == '"') {
    char text[4];
    std::snprintf(text, sizeof text, "%%%02X", byte);
    return text;
  }
  return std::string(1, static_cast<char>(byte));
}

TEST_F(NamesTest, EveryByteOfANameReachesTheMapAsALinkThatLeadsToIt) {
  // One page per byte value, and a folder whose name holds the worst of them.
  std::size_t pages = 0;
  for (int byte = 1; byte < 256; ++byte) {
    if (byte == '/') continue;
    dir_.Write("site/p" + std::string(1, static_cast<char>(byte)) + ".htm",
               "<title>" + Hex(byte) + "</title>");
    ++pages;
  }
  dir_.Write("site/zaż.htm", "<title>utf-8</title>");
  ++pages;
  const std::string odd_folder = "d\n\r#%\"'<>&\x80\xff\xc3";
  dir_.MakeFolder("site/" + odd_folder);
  dir_.Write("site/" + odd_folder + "/x y%20#frag?.htm", "<title>in</title>");
  ++pages;

  const ProgramResult result = RunSite();
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, Found(pages));
  const std::string map = Map();
  for (int byte = 1; byte < 256; ++byte) {
    if (byte == '/') continue;
    const std::string line =
        "\r\n<br><a href=\"p" + HrefByte(byte) + ".htm\">" + Hex(byte) + "</a>\r\n";
    EXPECT_EQ(CountOf(map, line), 1u) << "byte " << byte;
  }
  EXPECT_EQ(CountOf(map, "<h1>" + Site() + "d\n\r#%\"'&lt;&gt;&amp;&#65533;&#65533;&#65533;/</h1>\r\n" +
                             "<br><a href=\"d%0A%0D%23%25%22'<>&amp;%80%FF%C3/x "
                             "y%2520%23frag%3F.htm\">in</a>\r\n"),
            1u);
  // A UTF-8 name keeps its bytes.
  EXPECT_EQ(CountOf(map, "<br><a href=\"zaż.htm\">"), 1u);
  EXPECT_EQ(CountOf(map, "<br><a href="), pages);
}

// Builds `levels` nested folders named `name`, each with one page, without
// ever using a path longer than one name (the whole may pass PATH_MAX).
void MakeDeepTree(const std::string& top, const std::string& name, int levels) {
  int fd = open(top.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  for (int level = 0; level < levels; ++level) {
    ASSERT_EQ(mkdirat(fd, name.c_str(), 0755), 0);
    const int next = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
    close(fd);
    ASSERT_GE(next, 0);
    fd = next;
    const int page = openat(fd, "p.htm", O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(page, 0);
    const std::string text = "<title>L" + std::to_string(level) + "</title>";
    ASSERT_EQ(write(page, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    close(page);
  }
  close(fd);
}

TEST_F(NamesTest, ThreeHundredLevelsDeepEveryLevelIsListed) {
  MakeDeepTree(dir_ / "site", "d", 300);
  const ProgramResult result = RunSite();
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, Found(300));
  std::string relative;
  for (int level = 0; level < 300; ++level) relative += "d/";
  EXPECT_EQ(CountOf(Map(), "<h1>" + Site() + relative + "</h1>\r\n<br><a href=\"" + relative +
                               "p.htm\">L299</a>\r\n"),
            1u);
}

TEST_F(NamesTest, PathsLongerThanPathMaxLoseNoPages) {
  // 300 levels of 24-byte names: about 7500 bytes, past PATH_MAX (4096), where
  // a folder opened by its whole path fails with ENAMETOOLONG.
  const std::string name = "level_abcdefghijklmnopqr";
  MakeDeepTree(dir_ / "site", name, 300);
  const ProgramResult result = RunSite();
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, Found(300));
  const std::string map = Map();
  EXPECT_EQ(CountOf(map, "<h1>"), 300u);
  EXPECT_EQ(CountOf(map, "\">L299</a>\r\n"), 1u);
  EXPECT_GT(map.size(), static_cast<std::size_t>(PATH_MAX) * 2);
  // rm copes with any depth; nftw in the scratch folder's cleanup may not.
  EXPECT_EQ(system(("rm -rf '" + dir_.path() + "/site'").c_str()), 0);
}

TEST_F(NamesTest, AHundredThousandPagesInOneFolder) {
  constexpr int kPages = 100000;
  const int folder = open((dir_ / "site").c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(folder, 0);
  for (int i = 0; i < kPages; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "p%06d.htm", i);
    const int fd = openat(folder, name, O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    close(fd);
  }
  close(folder);
  const ProgramResult result = RunSite();
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, Found(kPages));
  const std::string map = Map();
  EXPECT_EQ(CountOf(map, "\">#bez tytułu#</a>\r\n"), static_cast<std::size_t>(kPages));
  EXPECT_EQ(map.find("<br><a href=\"p000000.htm\">"), map.find("\r\n") + 2);
  EXPECT_NE(map.find("<br><a href=\"p099999.htm\">#bez tytułu#</a>\r\n"), std::string::npos);
}

}  // namespace
}  // namespace zorvitan::testing
