#include "engine/run/generation_run.h"

#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace zorvitan::testing {
namespace {

const std::string kError = Cp1250("Błąd");

class GenerationRunTest : public EngineTest {
 protected:
  void ExpectRefused(const std::string& message, const std::string& focus) {
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, Cp1250(message));
    EXPECT_EQ(window.messages[0].style, 0x30);
    EXPECT_EQ(window.messages[0].title, kError);
    EXPECT_EQ(window.log, (std::vector<std::string>{"Box", focus}));
  }
};

TEST_F(GenerationRunTest, EmptyFieldsAreCheckedInOrder) {
  EXPECT_EQ(Generate("", "", "").outcome, RunOutcome::kRefused);
  ExpectRefused("Podaj folder w którym trzymasz stronę WWW", "Focus(1)");

  window.messages.clear();
  window.log.clear();
  Generate("C:\\", "", "");
  ExpectRefused("Podaj nazwę pliku z wygenerowaną mapą strony", "Focus(2)");

  window.messages.clear();
  window.log.clear();
  Generate("C:\\", "C:\\m.htm", "");
  ExpectRefused(
      "Wpisz rozszerzenia plików jaki program ma brać pod uwagę, oddziel je średnikiem np. "
      "wpisz:\r\n*.htm; *.html; *.php; *.shtm",
      "Focus(3)");
  EXPECT_FALSE(fs.Exists("C:\\m.htm"));  // nothing tried before the fields were filled
}

TEST_F(GenerationRunTest, BlankFieldsPassTheEmptinessChecks) {
  Generate(" ", "C:\\nofolder\\m.htm", " ");
  ExpectRefused("Nie mogę utworzyć pliku: C:\\nofolder\\m.htm", "Focus(2)");
}

TEST_F(GenerationRunTest, MissingSiteFolderKeepsAnExistingMapIntact) {
  fs.AddFile("C:\\mapa.htm", "my old map");
  Generate("C:\\nie ma", "C:\\mapa.htm");
  ExpectRefused("Nie otworzyć katalogu: C:\\nie ma", "Focus(1)");
  EXPECT_EQ(fs.Contents("C:\\mapa.htm"), "my old map");
  EXPECT_EQ(window.site_folder_shown, "");  // not completed
}

TEST_F(GenerationRunTest, ProbeCreatesAMissingMapFile) {
  Generate("C:\\nie ma", "C:\\nowa.htm");
  EXPECT_TRUE(fs.Exists("C:\\nowa.htm"));
  EXPECT_EQ(fs.Contents("C:\\nowa.htm"), "");
}

TEST_F(GenerationRunTest, MapPathThatIsAFolderOrReadOnlyIsRefused) {
  fs.AddFolder("C:\\site");
  fs.AddFolder("C:\\dir.htm");
  Generate("C:\\site", "C:\\dir.htm");
  ExpectRefused("Nie mogę utworzyć pliku: C:\\dir.htm", "Focus(2)");
  window.messages.clear();
  window.log.clear();
  fs.AddFile("C:\\ro.htm", "keep");
  fs.SetReadOnly("C:\\ro.htm");
  Generate("C:\\site", "C:\\ro.htm");
  ExpectRefused("Nie mogę utworzyć pliku: C:\\ro.htm", "Focus(2)");
}

TEST_F(GenerationRunTest, NetworkPathHasNoDriveAndFailsTheFolderCheck) {
  Generate("\\\\server\\x", "C:\\m.htm");
  ExpectRefused("Nie otworzyć katalogu: \\\\server\\x", "Focus(1)");
}

TEST_F(GenerationRunTest, FolderCheckChangesDriveThenFolder) {
  fs.AddFolder("D:\\www");
  Generate("D:\\www", "C:\\m.htm");
  EXPECT_EQ(fs.current_drive, "D:");
  EXPECT_EQ(fs.CurrentFolder(), "D:\\www");

  window.messages.clear();
  Generate("C:\\missing", "C:\\m.htm");  // the drive step succeeds, the folder step fails
  EXPECT_EQ(fs.current_drive, "C:");
  EXPECT_EQ(fs.CurrentFolder(), "C:\\");
}

// The command line's run only lists the site folder: the current folder stays,
// and the window's chores (focus, disabling, the completed folder) are not done.
TEST_F(GenerationRunTest, TheCommandLinesRunLeavesTheCurrentFolderAndTheWindowAlone) {
  fs.AddFile("D:\\www\\a.htm", Page("A"));
  RunInputs given = inputs;
  given.site_folder = "D:\\www";
  given.map_file = "C:\\m.htm";
  EXPECT_EQ(GenerationRun(window, fs).Generate(given).outcome, RunOutcome::kDone);
  EXPECT_EQ(fs.current_drive, "C:");
  EXPECT_NE(fs.Contents("C:\\m.htm").find("a.htm"), std::string::npos);
  given.site_folder = "D:\\missing";
  EXPECT_EQ(GenerationRun(window, fs).Generate(given).outcome, RunOutcome::kRefused);
  EXPECT_EQ(window.messages.back().text, Cp1250("Nie otworzyć katalogu: D:\\missing"));
  EXPECT_EQ(window.log, (std::vector<std::string>{"Box", "Box"}));  // no focus, nothing disabled
  EXPECT_EQ(window.site_folder_shown, "");
}

TEST_F(GenerationRunTest, WholeRunCompletesFolderWritesMapAndReports) {
  fs.AddFile("C:\\strona\\index.htm", Page("Start"));
  fs.AddFile("C:\\strona\\dzial\\a.htm", Page("A"));
  const RunReport report = Generate("C:\\strona", "C:\\mapa.htm");
  EXPECT_EQ(report.outcome, RunOutcome::kDone);
  EXPECT_EQ(report.summary.pages_found, 2u);
  EXPECT_EQ(window.site_folder_shown, "C:\\strona\\");
  EXPECT_EQ(fs.Contents("C:\\mapa.htm"),
            "<h1>C:\\strona\\</h1>\r\n<br><a href=\"index.htm\">Start</a>\r\n"
            "<h1>C:\\strona\\dzial\\</h1>\r\n<br><a href=\"dzial/a.htm\">A</a>\r\n");
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text,
            Cp1250("Skończyłem generowanie mapy serwisu\r\nZnalazłem: 2 plików"));
  EXPECT_EQ(window.messages[0].style, 0x40);
  EXPECT_EQ(window.messages[0].title, "Zorvitan");
  EXPECT_EQ(window.log.front(), "SetInputsEnabled(0)");
  EXPECT_EQ(window.log.back(), "SetInputsEnabled(1)");
  EXPECT_EQ(window.log[window.log.size() - 2], "Box");
  EXPECT_EQ(window.clipboard.text, Page("A"));
  EXPECT_GT(window.progress_reports, 0);
}

TEST_F(GenerationRunTest, FolderEndingInBackslashIsLeftAsItIs) {
  fs.AddFolder("C:\\strona");
  Generate("C:\\strona\\", "C:\\m.htm");
  EXPECT_EQ(window.site_folder_shown, "");
  EXPECT_EQ(window.messages[0].text,
            Cp1250("Skończyłem generowanie mapy serwisu\r\nZnalazłem: 0 plików"));
  EXPECT_EQ(fs.Contents("C:\\m.htm"), "");
}

TEST_F(GenerationRunTest, RelativeMapPathIsWrittenInTheSiteFolder) {
  fs.AddFile("C:\\strona\\a.htm", Page("A"));
  fs.AddFolder("C:\\start");
  fs.SetCurrentFolder("C:\\start");
  Generate("C:\\strona", "mapa.htm");
  EXPECT_TRUE(fs.Exists("C:\\start\\mapa.htm"));  // the probe, before the folder changed
  EXPECT_EQ(fs.Contents("C:\\start\\mapa.htm"), "");
  EXPECT_NE(fs.Contents("C:\\strona\\mapa.htm").find("a.htm"), std::string::npos);
}

TEST_F(GenerationRunTest, MapInsideTheSiteIsListedWithoutDamage) {
  fs.AddFile("C:\\strona\\a.htm", Page("A"));
  fs.AddFile("C:\\strona\\mapa.htm", Page("Old map"));
  Generate("C:\\strona", "C:\\strona\\mapa.htm");
  EXPECT_EQ(fs.Contents("C:\\strona\\mapa.htm"),
            "<h1>C:\\strona\\</h1>\r\n<br><a href=\"a.htm\">A</a>\r\n"
            "<br><a href=\"mapa.htm\">Old map</a>\r\n");
}

TEST_F(GenerationRunTest, CountHasNoSixteenBitLimit) {
  window.has_clipboard = false;
  for (int i = 0; i < 33000; ++i) fs.AddFile("C:\\s\\p" + std::to_string(i) + ".htm", "");
  const RunReport report = Generate("C:\\s", "C:\\m.htm");
  EXPECT_EQ(report.summary.pages_found, 33000u);
  EXPECT_NE(window.messages[0].text.find("33000"), std::string::npos);
}

TEST_F(GenerationRunTest, UnreadablePagesAndUnlistableFoldersAreReportedAfterTheClosingMessage) {
  fs.AddFile(
      "C:\\s\\\x01"
      "aдом.htm",
      Page("A"));
  fs.AddFile("C:\\s\\b.htm", Page("B"));
  fs.AddFile("C:\\s\\c.htm", Page("C"));
  fs.AddFile("C:\\s\\locked\\d.htm", Page("D"));
  fs.unopenable_pages = {
      "C:\\s\\\x01"
      "aдом.htm",
      "C:\\s\\c.htm"};
  fs.unlistable_folders = {"C:\\s\\locked\\"};
  const RunReport report = Generate("C:\\s", "C:\\m.htm");
  EXPECT_EQ(report.outcome, RunOutcome::kDone);
  EXPECT_EQ(report.summary.unopened_folders, std::vector<std::string>{"C:\\s\\locked\\"});
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_EQ(window.messages[1].text,
            Cp1250("Nie otworzyć katalogu: C:\\s\\locked\\\r\n"
                   "Nie mogę odczytać pliku: C:\\s\\a???.htm\r\nNie odczytanych plików: 2"));
  EXPECT_EQ(window.messages[1].title, kError);
  EXPECT_EQ(window.messages[1].style, 0x30);
  EXPECT_EQ(window.log.back(), "SetInputsEnabled(1)");
  EXPECT_NE(fs.Contents("C:\\m.htm").find(">B</a>"), std::string::npos);
}

TEST_F(GenerationRunTest, TheBoxNamesTenUnlistableFoldersAndThenSaysThereAreMore) {
  std::string ten;
  for (int i = 0; i < 11; ++i) {
    const std::string folder = "C:\\s\\d" + std::to_string(i + 10) + "\\";
    fs.AddFile(folder + "a.htm", Page("A"));
    fs.unlistable_folders.insert(folder);
    if (i < 10) ten += (i > 0 ? "\r\n" : "") + Cp1250("Nie otworzyć katalogu: ") + folder;
  }
  Generate("C:\\s", "C:\\m.htm");
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_EQ(window.messages[1].text, ten + "\r\n...");

  fs.unlistable_folders.erase("C:\\s\\d20\\");
  window.messages.clear();
  Generate("C:\\s", "C:\\m.htm");
  ASSERT_EQ(window.messages.size(), 2u);
  EXPECT_EQ(window.messages[1].text, ten);
}

TEST_F(GenerationRunTest, MapThatCannotBeWrittenIsReportedAndTheOldOneKept) {
  fs.AddFile("C:\\s\\a.htm", Page("A"));
  fs.AddFile("C:\\m.htm", "old");
  fs.fail_commit = true;
  const RunReport report = Generate("C:\\s", "C:\\m.htm");
  EXPECT_EQ(report.outcome, RunOutcome::kMapNotWritten);
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0].text, Cp1250("Nie mogę utworzyć pliku: C:\\m.htm"));
  EXPECT_EQ(window.log.back(), "SetInputsEnabled(1)");
  EXPECT_EQ(fs.Contents("C:\\m.htm"), "old");
}

TEST_F(GenerationRunTest, ClosingTheWindowWhileWalkingOrReadingKeepsTheOldMap) {
  for (int i = 0; i < 4; ++i) fs.AddFile("C:\\s\\d" + std::to_string(i) + "\\a.htm", Page("A"));
  fs.AddFile("C:\\m.htm", "old");
  const auto before = fs.AllPaths();
  // Asked once per folder walked (5), then once per page read (4).
  for (const int close_at : {3, 6}) {
    window.events = 0;
    window.close_at_event = close_at;
    EXPECT_EQ(Generate("C:\\s", "C:\\m.htm").outcome, RunOutcome::kCancelled);
    EXPECT_EQ(window.events, close_at + 1) << "not asked again once closed";
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(fs.Contents("C:\\m.htm"), "old");
    EXPECT_EQ(fs.AllPaths(), before);
  }
  window.events = 0;
  window.close_at_event = -1;
  Generate("C:\\s", "C:\\m.htm");
  EXPECT_EQ(window.events, 9);
}

TEST_F(GenerationRunTest, ClosingAtEveryEventPointStopsCleanly) {
  fs.AddFile("C:\\s\\a.htm", Page("A"));
  fs.AddFile("C:\\s\\d\\b.htm", Page("B"));
  fs.AddFile("C:\\m.htm", "old");
  const auto before = fs.AllPaths();
  // Count the KeepGoing questions of a whole run, then close the window at each one.
  Generate("C:\\s", "C:\\m.htm");
  const int points = window.events;
  ASSERT_GT(points, 0);
  for (int point = 0; point < points; ++point) {
    fs.AddFile("C:\\m.htm", "old");
    window.events = 0;
    window.log.clear();
    window.close_at_event = point;
    EXPECT_EQ(Generate("C:\\s\\", "C:\\m.htm").outcome, RunOutcome::kCancelled) << point;
    EXPECT_EQ(fs.Contents("C:\\m.htm"), "old") << point;
    EXPECT_EQ(fs.AllPaths(), before) << point;
    EXPECT_EQ(window.log.back(), "SetInputsEnabled(1)") << point;
  }
}

}  // namespace
}  // namespace zorvitan::testing
