// zorvitan-cli as users and scripts run it: exit codes, messages and the map's
// bytes, on real temporary folders.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tests/support/cli_output.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

namespace zorvitan {
namespace {

using testing::Found;
using testing::ProgramLaunch;
using testing::ProgramResult;
using testing::RunProgram;
using testing::TempFolder;

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (const struct dirent* entry = readdir(dir)) {
      if (entry->d_name[0] != '.' || entry->d_name[1] != '\0') {
        if (std::string(entry->d_name) != "..") names.push_back(entry->d_name);
      }
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    dir_.MakeFolder("site");
    dir_.MakeFolder("site/dział");
    dir_.MakeFolder("site/dział/stare");
    dir_.MakeFolder("site/.szkice");
    dir_.Write("site/index.htm", "<html><head><title>Strona główna</title></head></html>\n");
    dir_.Write("site/kontakt.html", "<p>bez tytułu</p>");
    dir_.Write("site/skrypt.php", "<TITLE>Ceny & \"promocje\"</Title>");
    dir_.Write("site/notatki.txt", "<title>nie strona</title>");
    dir_.Write("site/.ukryta.htm", "<title>ukryta</title>");
    dir_.Write("site/dział/a.htm", "<title>Dom &amp; ogród</title>");
    dir_.Write("site/dział/b.htm", "<title>Dwie\r\nlinie</title>");
    dir_.Write("site/dział/stare/x.htm", "");
    dir_.Write("site/.szkice/s.htm", "<title>Szkic</title>");
  }

  ProgramResult Run(std::vector<std::string> args, long file_size_limit = -1) {
    return RunProgram(
        ProgramLaunch{ZORVITAN_CLI_PATH, std::move(args), dir_.path(), file_size_limit});
  }

  std::string Site() const { return dir_.path() + "/site/"; }

  // The map of the site above, CR LF line ends; untitled pages as `untitled`
  // gives them (empty: left out).
  std::string ExpectedMap(bool skip_untitled) const {
    const std::string site = Site();
    std::string map = "<h1>" + site + "</h1>\r\n";
    map += "<br><a href=\"index.htm\">Strona główna</a>\r\n";
    if (!skip_untitled) map += "<br><a href=\"kontakt.html\">#bez tytułu#</a>\r\n";
    map += "<br><a href=\"skrypt.php\">Ceny & \"promocje\"</a>\r\n";
    map += "<h1>" + site + ".szkice/</h1>\r\n";
    map += "<br><a href=\".szkice/s.htm\">Szkic</a>\r\n";
    map += "<h1>" + site + "dział/</h1>\r\n";
    map += "<br><a href=\"dział/a.htm\">Dom &amp; ogród</a>\r\n";
    map += "<br><a href=\"dział/b.htm\">Dwie\r\nlinie</a>\r\n";
    map += "<h1>" + site + "dział/stare/</h1>\r\n";
    if (!skip_untitled) map += "<br><a href=\"dział/stare/x.htm\">#bez tytułu#</a>\r\n";
    return map;
  }

  TempFolder dir_;
};

TEST_F(CliTest, WritesTheMapAndTheClosingMessage) {
  const ProgramResult result = Run({Site(), dir_ / "map.htm"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, Found(7));
  EXPECT_EQ(result.err, "");  // no progress line when stderr is no terminal
  EXPECT_EQ(dir_.Read("map.htm"), ExpectedMap(false));
}

TEST_F(CliTest, SkipUntitledLeavesThePagesOutButCountsThem) {
  const ProgramResult result = Run({"--skip-untitled", Site(), dir_ / "map.htm"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, Found(7));
  EXPECT_EQ(dir_.Read("map.htm"), ExpectedMap(true));
  EXPECT_EQ(Run({"-qs", Site(), dir_ / "map2.htm"}).exit_code, 0);
  EXPECT_EQ(dir_.Read("map2.htm"), ExpectedMap(true));
}

TEST_F(CliTest, PatternsChooseThePages) {
  ProgramResult result = Run({"-p", "*.PHP", Site(), dir_ / "map.htm"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, Found(1));
  EXPECT_EQ(dir_.Read("map.htm"), "<h1>" + Site() + "</h1>\r\n" +
                                      "<br><a href=\"skrypt.php\">Ceny & \"promocje\"</a>\r\n");

  result = Run({"--patterns=*.txt;  ?.htm", Site(), dir_ / "map.htm"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, Found(5));
  EXPECT_EQ(dir_.Read("map.htm"),
            "<h1>" + Site() + "</h1>\r\n<br><a href=\"notatki.txt\">nie strona</a>\r\n" + "<h1>" +
                Site() + ".szkice/</h1>\r\n<br><a href=\".szkice/s.htm\">Szkic</a>\r\n" + "<h1>" +
                Site() + "dział/</h1>\r\n<br><a href=\"dział/a.htm\">Dom &amp; ogród</a>" +
                "\r\n<br><a href=\"dział/b.htm\">Dwie\r\nlinie</a>\r\n" + "<h1>" + Site() +
                "dział/stare/</h1>\r\n<br><a href=\"dział/stare/x.htm\">#bez tytułu#</a>\r\n");
}

TEST_F(CliTest, RelativePathsAreTakenFromTheCurrentFolder) {
  ProgramResult result = Run({"site", "map.htm"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(dir_.Read("map.htm"), ExpectedMap(false));

  result = Run({"./site/dział/../", "out/../map2.htm"});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(dir_.Read("map2.htm"), ExpectedMap(false));
}

TEST_F(CliTest, AnEmptySiteGivesAnEmptyMap) {
  dir_.MakeFolder("empty");
  const ProgramResult result = Run({"empty", "map.htm"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, Found(0));
  EXPECT_TRUE(dir_.Exists("map.htm"));
  EXPECT_EQ(dir_.Read("map.htm"), "");
}

TEST_F(CliTest, RefusedInputChangesNothing) {
  const std::string old_map = "<h1>stara mapa</h1>\r\n";
  dir_.Write("map.htm", old_map);
  const std::string missing = dir_ / "brak";
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"", "map.htm"}, "Give the folder that holds the web site\n"},
      {{"", ""}, "Give the folder that holds the web site\n"},
      {{"site", ""}, "Give the name of the file to write the site map into\n"},
      {{"-p", "", "site", "map.htm"},
       "Give the patterns of the files to list, separated by semicolons, for example:\n"
       "*.htm; *.html; *.php; *.shtm\n"},
      {{"site", "brak/map.htm"}, "Cannot create the file: " + missing + "/map.htm\n"},
      {{"site", "site/dział"}, "Cannot create the file: " + Site() + "dział\n"},
      {{"brak", "map.htm"}, "Cannot open the folder: " + missing + "\n"},
      {{"site/index.htm", "map.htm"}, "Cannot open the folder: " + Site() + "index.htm\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const ProgramResult result = Run(c.args);
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, c.message);
    EXPECT_EQ(dir_.Read("map.htm"), old_map);
  }
  // A refused run leaves no new, empty map behind either.
  EXPECT_EQ(Run({"brak", "nowa.htm"}).exit_code, 1);
  EXPECT_FALSE(dir_.Exists("nowa.htm"));
}

TEST_F(CliTest, AMapThatCannotBeWrittenKeepsTheOldOne) {
  dir_.Write("map.htm", "old");
  // The probe writes nothing, so only the new map's writes hit the limit.
  const ProgramResult result = Run({"site", "map.htm"}, /*file_size_limit=*/64);
  EXPECT_EQ(result.exit_code, 3);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "Cannot create the file: " + dir_.path() + "/map.htm\n");
  EXPECT_EQ(dir_.Read("map.htm"), "old");
  EXPECT_EQ(Names(dir_.path()), (std::vector<std::string>{"map.htm", "site"}));
}

TEST_F(CliTest, SpecialFilesAndLinkLoopsNeitherHangNorRepeat) {
  ASSERT_EQ(mkfifo((dir_ / "site/rura.htm").c_str(), 0600), 0);
  ASSERT_EQ(symlink("nic.htm", (dir_ / "site/zerwany.htm").c_str()), 0);
  ASSERT_EQ(symlink("..", (dir_ / "site/dział/pętla").c_str()), 0);
  const ProgramResult result = Run({"site", "map.htm"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, Found(7));
  EXPECT_EQ(dir_.Read("map.htm"), ExpectedMap(false));
}

TEST_F(CliTest, UnreadablePagesAndFoldersAreNamedAfterTheClosingMessage) {
  ASSERT_EQ(chmod((dir_ / "site/dział/a.htm").c_str(), 0), 0);
  ASSERT_EQ(chmod((dir_ / "site/dział/stare").c_str(), 0), 0);
  ASSERT_EQ(chmod(dir_.path().c_str(), 0777), 0);  // where "nobody" writes the map
  ProgramLaunch launch{ZORVITAN_CLI_PATH, {"site", "map.htm"}, dir_.path()};
  launch.unprivileged = true;  // root reads every file
  const ProgramResult result = RunProgram(launch);
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, Found(6));
  EXPECT_EQ(result.err, "Cannot open the folder: " + Site() + "dział/stare/\n" +
                            "Cannot read the file: " + Site() + "dział/a.htm\n");
  EXPECT_NE(dir_.Read("map.htm").find("<a href=\"dział/a.htm\">#bez tytułu#</a>"),
            std::string::npos);
  ASSERT_EQ(chmod((dir_ / "site/dział/stare").c_str(), 0755), 0);  // so it can be removed
}

// Old pages that declare no encoding: windows-1250 unless --page-encoding
// names another; the map is UTF-8 either way.
TEST_F(CliTest, PagesWithoutADeclaredEncodingTakeThePageEncoding) {
  dir_.MakeFolder("old");
  dir_.Write("old/a.htm", "<title>\xAC\xF3\xB3w</title>");  // "Źółw" in ISO-8859-2
  ProgramResult result = Run({"old", "map.htm"});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_NE(dir_.Read("map.htm").find(">¬ółw</a>"), std::string::npos);  // read as windows-1250
  result = Run({"--page-encoding", " Latin2", "old", "map.htm"});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_NE(dir_.Read("map.htm").find(">Źółw</a>"), std::string::npos);
}

// A template that cannot be used, or html5's options with another format, are
// wrong usage: exit 2, the reason, and no map.
TEST_F(CliTest, Html5TemplateErrorsWriteNothing) {
  dir_.Write("bez-mapy.html", "<title>{{title}}</title>");
  dir_.Write("dwie.html", "{{map}}{{map}}");
  dir_.Write("cp1250.html", "{{map}} \xB3\xF3");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--template", dir_ / "bez-mapy.html"}, "has no {{map}}"},
      {{"--template", dir_ / "brak.html"}, "cannot be read"},
      {{"--template", dir_ / "dwie.html"}, "{{map}} more than once"},
      {{"--template", dir_ / "cp1250.html"}, "is not UTF-8"},
      {{"--template", dir_ / "site"}, "cannot be read"},
  };
  for (const auto& [options, message] : cases) {
    std::vector<std::string> args = {"--format", "html5"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(Site());
    args.push_back(dir_ / "map.htm");
    const ProgramResult result = Run(args);
    EXPECT_EQ(result.exit_code, 2) << options[1];
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("zorvitan-cli: the template '" + options[1] + "' ", 0), 0u)
        << result.err;
    EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
  }
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--template", dir_ / "dwie.html", Site(), dir_ / "map.htm"},
           {"-f", "xml", "-b", "http://h/", "--strip-common-suffix", Site(), dir_ / "map.htm"},
           {"--title", "T", Site(), dir_ / "map.htm"},
           {"-f", "html5", "--lang", "polski jezyk", Site(), dir_ / "map.htm"},
           {"-f", "html5", "--base-url", "http://h/", Site(), dir_ / "map.htm"}}) {
    const ProgramResult result = Run(args);
    EXPECT_EQ(result.exit_code, 2) << args[1];
    EXPECT_NE(result.err.find(args[0] == "--template" ? "'--template' is for --format html5"
                                                      : "zorvitan-cli: "),
              std::string::npos)
        << result.err;
  }
  EXPECT_FALSE(dir_.Exists("map.htm"));
}

TEST_F(CliTest, Html5FillsTheTemplateAndNamesTheSuffixItDropped) {
  dir_.Write("site/index.htm", "<title>Start | Glina</title>");
  dir_.Write("site/kontakt.html", "<title>Kontakt | Glina</title>");
  dir_.Write("site/skrypt.php", "<title>Ceny | Glina</title>");
  dir_.Write("site/dział/a.htm", "<title>Dom | Glina</title>");
  dir_.Write("szablon.html", "<title>{{title}}</title>\n{{map}}<p>{{title}}</p>\n");
  const ProgramResult result = Run({"-f", "html5", "--strip-common-suffix", "--template",
                                    dir_ / "szablon.html", Site(), dir_ / "map.htm"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, Found(7));
  EXPECT_EQ(result.err, "Dropped the suffix the titles share: \" | Glina\"\n");
  const std::string map = dir_.Read("map.htm");
  EXPECT_EQ(map.rfind("<title>Mapa serwisu | Glina</title>\n<nav ", 0), 0u) << map;
  EXPECT_NE(map.find("<li><a href=\"index.htm\">Start</a></li>\n"), std::string::npos);
  EXPECT_NE(map.find("<li><a href=\"kontakt.html\">Kontakt</a></li>\n"), std::string::npos);
  EXPECT_NE(map.find("<li class=\"folder\"><span>dział</span>\n"), std::string::npos);
  EXPECT_EQ(map.substr(map.rfind("</ul>")), "</ul>\n</nav>\n<p>Mapa serwisu | Glina</p>\n");
}

TEST_F(CliTest, UsageErrorsHelpAndVersion) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{},
                                             {"site"},
                                             {"site", "a", "b"},
                                             {"-x", "site", "m"},
                                             {"--bogus", "site", "m"},
                                             {"site", "m", "-p"},
                                             {"--page-encoding", "klingon", "site", "m"}}) {
    const ProgramResult result = Run(args);
    EXPECT_EQ(result.exit_code, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("zorvitan-cli: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find("Usage: zorvitan-cli [OPTIONS] SITE_FOLDER MAP_FILE"),
              std::string::npos);
  }
  ProgramResult result = Run({"--version"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, "zorvitan-cli 1.0.0\n");
  result = Run({"site", "-h"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out.rfind("Usage: zorvitan-cli [OPTIONS] SITE_FOLDER MAP_FILE\n", 0), 0u);
  EXPECT_NE(result.out.find("--skip-untitled"), std::string::npos);
  EXPECT_EQ(result.err, "");
  EXPECT_FALSE(dir_.Exists("map.htm"));
}

}  // namespace
}  // namespace zorvitan
