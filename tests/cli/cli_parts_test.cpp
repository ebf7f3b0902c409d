// The command line's own parts: argument parsing, message lines, progress line.
#include <chrono>
#include <string>
#include <vector>

#include "cli/console_front_end.h"
#include "cli/options.h"
#include "cli/progress_line.h"
#include "gtest/gtest.h"

namespace zorvitan::cli {
namespace {

TEST(ParseCommandLine, TakesOptionsAnywhereInEveryForm) {
  CommandLine parsed = ParseCommandLine({"site", "map.htm"});
  ASSERT_EQ(parsed.action, Action::kRun);
  EXPECT_EQ(parsed.options.run.site_folder, "site");
  EXPECT_EQ(parsed.options.run.map_file, "map.htm");
  EXPECT_EQ(parsed.options.run.patterns, "*.htm; *.html; *.php");
  EXPECT_FALSE(parsed.options.run.skip_untitled);
  EXPECT_FALSE(parsed.options.quiet);

  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"-s", "-q", "-p", "*.x", "site", "map"},
           {"site", "--skip-untitled", "map", "--quiet", "--patterns", "*.x"},
           {"--patterns=*.x", "-sq", "site", "map"},
           {"-qsp*.x", "site", "map"},
           {"-qsp", "*.x", "site", "map"}}) {
    SCOPED_TRACE(args.front());
    parsed = ParseCommandLine(args);
    ASSERT_EQ(parsed.action, Action::kRun) << parsed.error;
    EXPECT_EQ(parsed.options.run.site_folder, "site");
    EXPECT_EQ(parsed.options.run.map_file, "map");
    EXPECT_EQ(parsed.options.run.patterns, "*.x");
    EXPECT_TRUE(parsed.options.run.skip_untitled);
    EXPECT_TRUE(parsed.options.quiet);
  }
}

TEST(ParseCommandLine, PassesEmptyAndDashArgumentsOn) {
  CommandLine parsed = ParseCommandLine({"", "", "--patterns="});
  ASSERT_EQ(parsed.action, Action::kRun);
  EXPECT_EQ(parsed.options.run.site_folder, "");
  EXPECT_EQ(parsed.options.run.map_file, "");
  EXPECT_EQ(parsed.options.run.patterns, "");

  parsed = ParseCommandLine({"--", "-site", "-"});
  ASSERT_EQ(parsed.action, Action::kRun);
  EXPECT_EQ(parsed.options.run.site_folder, "-site");
  EXPECT_EQ(parsed.options.run.map_file, "-");
}

TEST(ParseCommandLine, HelpAndVersionWinOverEverythingBefore) {
  EXPECT_EQ(ParseCommandLine({"-h"}).action, Action::kHelp);
  EXPECT_EQ(ParseCommandLine({"a", "b", "c", "--help"}).action, Action::kHelp);
  EXPECT_EQ(ParseCommandLine({"-sV"}).action, Action::kVersion);
  EXPECT_EQ(ParseCommandLine({"--version"}).action, Action::kVersion);
}

TEST(ParseCommandLine, RefusesWhatItDoesNotKnowInItsOwnWords) {
  struct Case {
    std::vector<std::string> args;
    const char* error;
  };
  const Case cases[] = {
      {{}, "missing SITE_FOLDER or MAP_FILE"},
      {{"site"}, "missing SITE_FOLDER or MAP_FILE"},
      {{"site", "map", "more"}, "too many arguments"},
      {{"-sz", "site", "map"}, "unknown option '-z'"},
      {{"-zs", "site", "map"}, "unknown option '-z'"},
      {{"--skip", "site", "map"}, "unknown option '--skip'"},  // no abbreviations
      {{"--nope=1", "site", "map"}, "unknown option '--nope'"},
      {{"--quiet=yes", "site", "map"}, "option '--quiet' takes no value"},
      {{"site", "map", "--patterns"}, "option '--patterns' needs a value"},
      {{"site", "map", "-sp"}, "option '-p' needs a value"},
      {{"--", "site", "map", "-s"}, "too many arguments"},
      {{"-x", "", "site", "map"}, "option '-x' needs a pattern"},
  };
  for (const Case& c : cases) {
    const CommandLine parsed = ParseCommandLine(c.args);
    EXPECT_EQ(parsed.action, Action::kUsageError) << c.error;
    EXPECT_EQ(parsed.error, c.error);
  }
}

const SitemapOptions* SitemapOf(const CommandLine& parsed) {
  return std::get_if<SitemapOptions>(&parsed.options.run.format);
}

TEST(ParseCommandLine, SitemapOptionsNeedAnAbsoluteBaseUrl) {
  CommandLine parsed = ParseCommandLine({"-x", "a/**", "--exclude=*.bak", "-fxml", "--strip-index",
                                         "--base-url", "https://example.com", "site", "map"});
  ASSERT_EQ(parsed.action, Action::kRun) << parsed.error;
  EXPECT_EQ(parsed.options.run.excludes, (std::vector<std::string>{"a/**", "*.bak"}));
  ASSERT_TRUE(SitemapOf(parsed));
  EXPECT_EQ(SitemapOf(parsed)->format, SitemapOptions::Format::kXml);
  EXPECT_EQ(SitemapOf(parsed)->base_url, "https://example.com");
  EXPECT_TRUE(SitemapOf(parsed)->strip_index);
  parsed = ParseCommandLine({"--format=txt", "-b", "http://h/", "site", "map"});
  ASSERT_TRUE(SitemapOf(parsed));
  EXPECT_EQ(SitemapOf(parsed)->format, SitemapOptions::Format::kText);
  EXPECT_FALSE(SitemapOf(ParseCommandLine({"-x", "x", "site", "map"})));
  EXPECT_EQ(SitemapOf(parsed)->lastmod, SitemapOptions::Lastmod::kNone) << "txt";
  parsed = ParseCommandLine({"-fxml", "-bhttp://h/", "--lastmod=git", "--report", "r.txt",
                             "--robots-txt", "--clean-urls", "site", "map"});
  ASSERT_EQ(parsed.action, Action::kRun) << parsed.error;
  ASSERT_TRUE(SitemapOf(parsed));
  EXPECT_EQ(SitemapOf(parsed)->lastmod, SitemapOptions::Lastmod::kGit);
  EXPECT_EQ(SitemapOf(parsed)->report_file, "r.txt");
  EXPECT_TRUE(SitemapOf(parsed)->robots_txt);
  EXPECT_TRUE(SitemapOf(parsed)->clean_urls);
  EXPECT_EQ(SitemapOf(ParseCommandLine({"-fxml", "-bhttp://h/", "s", "m"}))->lastmod,
            SitemapOptions::Lastmod::kAuto);

  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"-f", "json", "-b", "https://h/", "site", "map"},
           {"-f", "xml", "site", "map"},
           {"-f", "txt", "-b", "www.example.com", "site", "map"},
           {"-f", "xml", "-b", "https://h/?page=1", "site", "map"},
           {"-b", "https://h/", "site", "map"},
           {"--strip-index", "site", "map"},
           {"--clean-urls", "site", "map"},
           {"--robots-txt", "site", "map"},
           {"--report", "r.txt", "site", "map"},
           {"-f", "llms", "site", "map"},
           {"-f", "llms", "-b", "https://h/", "--robots-txt", "site", "map"},
           {"-f", "xml", "-b", "https://h/", "--optional", "old/**", "site", "map"},
           {"-f", "html5", "--optional", "old/**", "site", "map"},
           {"-f", "xml", "-b", "https://h/", "--lastmod", "yesterday", "site", "map"},
           {"-f", "txt", "-b", "https://h/", "--lastmod", "git", "site", "map"},
           {"-f", "xml", "-b", "https://h/", "--report=", "site", "map"},
           {"--exclude=", "site", "map"}}) {
    SCOPED_TRACE(args[1]);
    const CommandLine refused = ParseCommandLine(args);
    EXPECT_EQ(refused.action, Action::kUsageError);
    EXPECT_FALSE(refused.error.empty());
  }
}

TEST(AsLines, TurnsMessageBoxLineBreaksIntoTerminalLines) {
  EXPECT_EQ(AsLines("Skończyłem\r\nZnalazłem: 3 plików"), "Skończyłem\nZnalazłem: 3 plików\n");
  EXPECT_EQ(AsLines("a\rb\nc\n"), "a\rb\nc\n");
  EXPECT_EQ(AsLines(""), "\n");
}

class ProgressLineTest : public ::testing::Test {
 protected:
  ProgressLine Line(bool enabled) {
    return ProgressLine(enabled, [this](const std::string& text) { written_.push_back(text); });
  }
  ProgressLine::Clock::time_point At(int ms) {
    return ProgressLine::Clock::time_point() + std::chrono::milliseconds(ms);
  }
  std::vector<std::string> written_;
};

TEST_F(ProgressLineTest, RewritesInPlaceAtMostTenTimesASecondAndClearsItself) {
  ProgressLine line = Line(true);
  line.Update(Phase::kWalking, 1234, 0, At(1000));
  line.Update(Phase::kWalking, 1235, 0, At(1050));  // too soon: skipped
  line.Update(Phase::kReading, 5, 480, At(1100));
  line.Clear();
  line.Clear();  // nothing left to clear
  EXPECT_EQ(written_,
            (std::vector<std::string>{"\rWalking folders: 1234", "\rReading pages: 5/480 ",
                                      "\r                     \r"}));
}

TEST_F(ProgressLineTest, ADisabledLineWritesNothing) {
  ProgressLine line = Line(false);
  line.Update(Phase::kWalking, 1, 0, At(0));
  line.Clear();
  EXPECT_TRUE(written_.empty());
}

TEST(ProgressText, NamesThePhaseAndItsCounts) {
  EXPECT_EQ(ProgressText(Phase::kWalking, 7, 0), "Walking folders: 7");
  EXPECT_EQ(ProgressText(Phase::kReading, 0, 9), "Reading pages: 0/9");
}

}  // namespace
}  // namespace zorvitan::cli
