#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/os_platform.h"
#include "tests/support/temp_folder.h"

namespace zorvitan {
namespace {

using testing::ReadWholeFile;
using testing::TempFolder;

// Names in `folder` other than "." and "..".
std::vector<std::string> NamesIn(const std::string& folder) {
  Win32Platform platform;
  std::vector<DirEntry> entries;
  platform.ListFolder(folder, &entries);
  std::vector<std::string> names;
  for (const DirEntry& entry : entries) {
    if (entry.name != "." && entry.name != "..") names.push_back(entry.name);
  }
  return names;
}

std::string ReadAll(PageReader& page, std::size_t chunk) {
  std::string text;
  std::vector<char> buffer(chunk);
  long read;
  while ((read = page.Read(buffer.data(), buffer.size())) > 0) text.append(buffer.data(), read);
  EXPECT_EQ(read, 0);
  return text;
}

TEST(OpenPageTest, ReadsTheBytesUnchanged) {
  TempFolder site;
  const char raw[] = "<title>\xBF\xF3\xB3w</title>\r\nlf\nlone cr\rnul\0end";
  const std::string bytes(raw, sizeof(raw) - 1);
  const std::string path = site.Write("strona.htm", bytes);
  Win32Platform platform;

  auto page = platform.OpenPage(path);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(ReadAll(*page, 3), bytes);

  // An empty page reads as the end at once.
  auto empty = platform.OpenPage(site.Write("pusta.htm", ""));
  ASSERT_NE(empty, nullptr);
  char c;
  EXPECT_EQ(empty->Read(&c, 1), 0);
}

TEST(OpenPageTest, OpensAPageAnotherProgramHasOpenForWriting) {
  TempFolder site;
  const std::string path = site.Write("edytowana.htm", "abc");
  HANDLE editor =
      CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(editor, INVALID_HANDLE_VALUE);
  Win32Platform platform;
  auto page = platform.OpenPage(path);
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(ReadAll(*page, 64), "abc");
  CloseHandle(editor);
}

TEST(OpenPageTest, MissingPageOrFolderCannotBeOpened) {
  TempFolder site;
  Win32Platform platform;
  EXPECT_EQ(platform.OpenPage(site.folder() + "brak.htm"), nullptr);
  EXPECT_EQ(platform.OpenPage(site.MakeFolder("katalog")), nullptr);
}

TEST(ProbeReplaceableTest, CreatesAMissingFileAndNeverCutsAnExistingOne) {
  TempFolder site;
  Win32Platform platform;
  const std::string fresh = site.folder() + "nowa.html";
  EXPECT_TRUE(platform.ProbeReplaceable(fresh));
  EXPECT_EQ(ReadWholeFile(fresh), "");

  const std::string old_map = site.Write("mapa.html", "<h1>stara mapa</h1>\r\n");
  EXPECT_TRUE(platform.ProbeReplaceable(old_map));
  EXPECT_EQ(ReadWholeFile(old_map), "<h1>stara mapa</h1>\r\n");
}

TEST(ProbeReplaceableTest, FailsWhereNoFileCanBeWritten) {
  TempFolder site;
  Win32Platform platform;
  EXPECT_FALSE(platform.ProbeReplaceable(site.folder() + "brak\\mapa.html"));
  EXPECT_FALSE(platform.ProbeReplaceable(site.MakeFolder("katalog")));
  EXPECT_FALSE(platform.ProbeReplaceable(site.folder() + "katalog"));

  const std::string read_only = site.Write("tylko.html", "x");
  SetFileAttributesA(read_only.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(platform.ProbeReplaceable(read_only));
  EXPECT_EQ(ReadWholeFile(read_only), "x");
}

TEST(BeginReplacingTest, CommitReplacesTheOldMapAndLeavesNoTemporary) {
  TempFolder site;
  const std::string map = site.Write("mapa.html", "stara mapa, dłuższa od nowej\r\n");
  Win32Platform platform;

  auto output = platform.BeginReplacing(map);
  ASSERT_NE(output, nullptr);
  EXPECT_TRUE(output->Write("<h1>C:\\strona\\</h1>\r\n", 21));
  EXPECT_TRUE(output->Write("", 0));
  // Until the commit the old map stays readable and whole.
  EXPECT_EQ(ReadWholeFile(map), "stara mapa, dłuższa od nowej\r\n");
  EXPECT_TRUE(output->Commit());
  output.reset();

  EXPECT_EQ(ReadWholeFile(map), "<h1>C:\\strona\\</h1>\r\n");
  EXPECT_EQ(NamesIn(site.folder()), std::vector<std::string>{"mapa.html"});
}

TEST(BeginReplacingTest, EmptyMapCreatesAnEmptyFile) {
  TempFolder site;
  Win32Platform platform;
  auto output = platform.BeginReplacing(site.folder() + "mapa.html");
  ASSERT_NE(output, nullptr);
  EXPECT_TRUE(output->Commit());
  EXPECT_EQ(ReadWholeFile(site.folder() + "mapa.html"), "");
}

TEST(BeginReplacingTest, AbandonedMapKeepsTheOldOneAndLeavesNoTemporary) {
  TempFolder site;
  const std::string map = site.Write("mapa.html", "stara");
  Win32Platform platform;
  {
    auto output = platform.BeginReplacing(map);
    ASSERT_NE(output, nullptr);
    EXPECT_TRUE(output->Write("nowa, niedokonczona", 18));
  }
  EXPECT_EQ(ReadWholeFile(map), "stara");
  EXPECT_EQ(NamesIn(site.folder()), std::vector<std::string>{"mapa.html"});
}

TEST(BeginReplacingTest, FailedCommitKeepsTheTargetAndRemovesTheTemporary) {
  TempFolder site;
  const std::string target = site.MakeFolder("mapa.html");  // a folder cannot be replaced
  Win32Platform platform;
  auto output = platform.BeginReplacing(target.substr(0, target.size() - 1));
  ASSERT_NE(output, nullptr);
  EXPECT_TRUE(output->Write("x", 1));
  EXPECT_FALSE(output->Commit());
  output.reset();
  EXPECT_EQ(NamesIn(site.folder()), std::vector<std::string>{"mapa.html"});
}

TEST(BeginReplacingTest, ReadOnlyMapIsNotReplaced) {
  TempFolder site;
  const std::string map = site.Write("mapa.html", "stara");
  Win32Platform platform;
  auto output = platform.BeginReplacing(map);
  ASSERT_NE(output, nullptr);
  SetFileAttributesA(map.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(output->Write("nowa", 4));
  EXPECT_FALSE(output->Commit());
  output.reset();
  EXPECT_EQ(ReadWholeFile(map), "stara");
  EXPECT_EQ(NamesIn(site.folder()), std::vector<std::string>{"mapa.html"});
}

TEST(BeginReplacingTest, MissingFolderGivesNoOutput) {
  TempFolder site;
  Win32Platform platform;
  EXPECT_EQ(platform.BeginReplacing(site.folder() + "brak\\mapa.html"), nullptr);
  EXPECT_EQ(platform.BeginReplacing(""), nullptr);
}

TEST(BeginReplacingTest, RelativePathResolvesAgainstTheFolderCurrentAtTheStart) {
  TempFolder site;
  const std::string first = site.MakeFolder("pierwszy");
  const std::string second = site.MakeFolder("drugi");
  char saved[MAX_PATH + 1];
  GetCurrentDirectoryA(sizeof(saved), saved);
  Win32Platform platform;

  ASSERT_TRUE(platform.SetCurrentFolder(first));
  auto output = platform.BeginReplacing("mapa.html");
  ASSERT_NE(output, nullptr);
  ASSERT_TRUE(platform.SetCurrentFolder(second));
  EXPECT_TRUE(output->Write("m", 1));
  EXPECT_TRUE(output->Commit());
  SetCurrentDirectoryA(saved);

  EXPECT_EQ(ReadWholeFile(first + "mapa.html"), "m");
  EXPECT_EQ(ReadWholeFile(second + "mapa.html"), "<missing>");
}

TEST(BeginReplacingTest, PolishMapNameAndLargeWrites) {
  TempFolder site;
  const std::string map = site.folder() + "mapa_za\xBF\xF3\xB3\xE6.html";
  std::string big(3 * 1024 * 1024 + 7, 'a');
  big[0] = '\xB3';
  big.back() = '\xE6';
  Win32Platform platform;
  auto output = platform.BeginReplacing(map);
  ASSERT_NE(output, nullptr);
  EXPECT_TRUE(output->Write(big.data(), big.size()));
  EXPECT_TRUE(output->Commit());
  EXPECT_EQ(ReadWholeFile(map), big);
}

}  // namespace
}  // namespace zorvitan
