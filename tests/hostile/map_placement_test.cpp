// Where the map file itself lies: inside the site, over a page, read-only, a
// folder or a FIFO. Each run ends in a correct map or a clear refusal, and
// nothing the user had is lost.
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/hostile/hostile_site.h"

namespace zorvitan::testing {
namespace {

class MapPlacementTest : public HostileSite {
 protected:
  void SetUp() override {
    HostileSite::SetUp();
    dir_.Write("site/index.htm", "<title>Start</title>");
    dir_.Write("site/mapa.html", "<title>Stara mapa</title>");
  }
};

TEST_F(MapPlacementTest, AMapInsideTheSiteIsListedWithItsOldTextThenReplaced) {
  const ProgramResult result = Run({"-q", "site", "site/mapa.html"});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, Found(2));
  EXPECT_EQ(dir_.Read("site/mapa.html"), "<h1>" + Site() +
                                             "</h1>\r\n<br><a href=\"index.htm\">Start</a>\r\n" +
                                             "<br><a href=\"mapa.html\">Stara mapa</a>\r\n");
  EXPECT_EQ(Names(Site()), (std::vector<std::string>{"index.htm", "mapa.html"}));

  // A second run reads the first run's map as a page without a title.
  EXPECT_EQ(Run({"-q", "site", "site/mapa.html"}).exit_code, 0);
  EXPECT_NE(dir_.Read("site/mapa.html").find("<a href=\"mapa.html\">#bez tytułu#</a>"),
            std::string::npos);
}

TEST_F(MapPlacementTest, ANewMapInsideTheSiteIsListedAsAnEmptyPage) {
  const ProgramResult result = Run({"-q", "site", "site/nowa.htm"});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, Found(3));
  EXPECT_NE(dir_.Read("site/nowa.htm").find("<a href=\"nowa.htm\">#bez tytułu#</a>"),
            std::string::npos);
  EXPECT_EQ(Names(Site()), (std::vector<std::string>{"index.htm", "mapa.html", "nowa.htm"}));
}

// A shell left standing in a removed folder: "." names nothing, and must not
// become the root of the file system.
TEST_F(MapPlacementTest, RelativePathsFromARemovedCurrentFolderAreRefused) {
  const std::string gone = dir_.path() + "/gone";
  for (const std::vector<std::string>& paths : {std::vector<std::string>{".", "map.html"},
                                                {".", dir_.path() + "/map.html"},
                                                {Site(), "map.html"}}) {
    ASSERT_EQ(mkdir(gone.c_str(), 0755), 0);
    const ProgramResult result =
        RunProgram(ProgramLaunch{"/bin/sh",
                                 {"-c", "cd \"$0\" && rmdir \"$0\" && exec \"$@\"", gone,
                                  ZORVITAN_CLI_PATH, "-q", paths[0], paths[1]},
                                 "",
                                 -1});
    EXPECT_EQ(result.exit_code, 1) << paths[0] << " " << paths[1] << ": " << result.err;
    EXPECT_NE(result.err.find("the current folder no longer exists"), std::string::npos);
    EXPECT_EQ(Names(dir_.path()), (std::vector<std::string>{"site"}));
    EXPECT_NE(access("/map.html", F_OK), 0);
  }
}

TEST_F(MapPlacementTest, AMapOverAPageTakesThePageTitleFirst) {
  const ProgramResult result = Run({"-q", "site", "site/index.htm"});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(dir_.Read("site/index.htm"), "<h1>" + Site() +
                                             "</h1>\r\n<br><a href=\"index.htm\">Start</a>\r\n" +
                                             "<br><a href=\"mapa.html\">Stara mapa</a>\r\n");
}

TEST_F(MapPlacementTest, AReadOnlyMapIsRefusedOrReplacedWithItsModeKept) {
  dir_.Write("map.txt", "stara");
  ASSERT_EQ(chmod((dir_ / "map.txt").c_str(), 0444), 0);
  const ProgramResult result = RunSite();
  struct stat st;
  ASSERT_EQ(stat((dir_ / "map.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0444u);
  if (geteuid() == 0) {
    // Root may write any file: the map is replaced and stays read-only.
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(Map().rfind("<h1>" + Site() + "</h1>\r\n", 0), 0u);
  } else {
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.err, "Cannot create the file: " + dir_.path() + "/map.txt\n");
    EXPECT_EQ(Map(), "stara");
  }
  EXPECT_EQ(Names(dir_.path()), (std::vector<std::string>{"map.txt", "site"}));
}

TEST_F(MapPlacementTest, AFolderOrFifoAsTheMapIsRefused) {
  dir_.MakeFolder("folder");
  dir_.Write("folder/keep.htm", "keep");
  ASSERT_EQ(symlink("folder", (dir_ / "folder_link").c_str()), 0);
  ASSERT_EQ(mkfifo((dir_ / "fifo").c_str(), 0644), 0);
  for (const char* map : {"folder", "folder_link", "folder/", "fifo", "site"}) {
    SCOPED_TRACE(map);
    const ProgramResult result = Run({"-q", "site", map});
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.out, "");
    const std::string shown = dir_.path() + "/" + std::string(map);
    EXPECT_EQ(result.err, "Cannot create the file: " + shown + "\n");
  }
  EXPECT_EQ(Names(dir_ / "folder"), std::vector<std::string>{"keep.htm"});
  EXPECT_EQ(Names(dir_.path()),
            (std::vector<std::string>{"fifo", "folder", "folder_link", "site"}));
}

}  // namespace
}  // namespace zorvitan::testing
