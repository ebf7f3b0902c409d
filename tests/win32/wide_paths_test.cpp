// Names outside code page 1250 and paths past MAX_PATH, made with the wide
// functions as another program would make them.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "engine/text/foreign_names.h"
#include "platform/temporary_files.h"
#include "platform/win32/os_platform.h"
#include "tests/support/temp_folder.h"

namespace zorvitan {
namespace {

using testing::LongWidePath;
using testing::TempFolder;

std::string Marked(const char* utf8_name) { return kForeignNameMark + std::string(utf8_name); }

// Makes `relative` (UTF-8) below `site`: a folder when it ends in a backslash.
void Make(const TempFolder& site, const std::string& relative, const std::string& bytes = "") {
  std::wstring path(relative.size(), L'\0');
  path.resize(MultiByteToWideChar(CP_UTF8, 0, relative.data(), static_cast<int>(relative.size()),
                                  &path[0], static_cast<int>(path.size())));
  path = LongWidePath(site.folder()) + path;
  if (relative.back() == '\\') {
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << relative;
    return;
  }
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << relative;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::set<std::string> Names(Win32Platform& platform, const std::string& folder) {
  std::vector<DirEntry> entries;
  EXPECT_TRUE(platform.ListFolder(folder, &entries)) << folder;
  std::set<std::string> names;
  for (const DirEntry& entry : entries) {
    if (entry.name != "." && entry.name != "..") names.insert(entry.name);
  }
  return names;
}

std::string Read(Win32Platform& platform, const std::string& path) {
  auto page = platform.OpenPage(path);
  char buffer[64];
  const long read = page == nullptr ? -1 : page->Read(buffer, sizeof(buffer));
  return read < 0 ? "<unread>" : std::string(buffer, static_cast<std::size_t>(read));
}

TEST(WidePathsTest, NamesOutsideTheCodePageAreMarkedAndReachedAgain) {
  TempFolder site;
  Make(site, "данные\\");
  Make(site, "данные\\日本.htm", "Nihon");
  Win32Platform platform;

  EXPECT_EQ(Names(platform, site.folder()), std::set<std::string>{Marked("данные")});
  const std::string folder = site.folder() + Marked("данные") + "\\";
  EXPECT_EQ(Read(platform, folder + Marked("日本.htm")), "Nihon");
  std::string id_site, id_folder;
  ASSERT_TRUE(platform.FolderIdentity(site.folder(), &id_site));
  ASSERT_TRUE(platform.FolderIdentity(folder, &id_folder));
  EXPECT_NE(id_site, id_folder);

  EXPECT_EQ(platform.FoldCase("C:\\A\\" + Marked("ДАННЫЕ")), "c:\\a\\" + Marked("данные"));
  // Byte by byte in code page 1250, "Њ" (D0 8A) would fold to "К" (D0 9A):
  // two folders taken for one, and the second one's pages lost.
  EXPECT_NE(platform.FoldCase(Marked("Њ")), platform.FoldCase(Marked("К")));
}

TEST(WidePathsTest, PathsPastMaxPathAreWalkedReadAndWritten) {
  TempFolder site;
  std::string relative, last;
  for (int level = 10; level < 24; ++level) {
    last = "poziom-" + std::to_string(level) + "-abcdefghijklmnopqrstu";
    relative += last + "\\";
    Make(site, relative);
  }
  Make(site, relative + "strona.htm", "Deep");
  const std::string deep = site.folder() + relative;
  ASSERT_GT(deep.size(), 400u);
  Win32Platform platform;

  EXPECT_EQ(Names(platform, deep), std::set<std::string>{"strona.htm"});
  // "\\?\" takes "." and ".." literally: the layer must resolve them first.
  EXPECT_EQ(Read(platform, deep + "..\\" + last + "\\.\\strona.htm"), "Deep");

  // The map there: an interrupted run leaves nothing, a finished one is read back.
  const std::string map = deep + "mapa.htm";
  ASSERT_TRUE(platform.ProbeReplaceable(map));
  auto interrupted = platform.BeginReplacing(map);
  ASSERT_NE(interrupted, nullptr);
  interrupted->Write("half", 4);
  RemoveTemporaryFiles();
  EXPECT_FALSE(interrupted->Commit());
  auto output = platform.BeginReplacing(map);
  ASSERT_NE(output, nullptr);
  ASSERT_TRUE(output->Write("new map", 7));
  ASSERT_TRUE(output->Commit());
  EXPECT_EQ(Read(platform, map), "new map");
  EXPECT_EQ(Names(platform, deep), (std::set<std::string>{"mapa.htm", "strona.htm"}));
}

}  // namespace
}  // namespace zorvitan
