// Ctrl-C or SIGTERM in the middle of writing a new map: the program ends as
// the signal says, the old map is untouched and no temporary file stays.
#include <signal.h>

#include <string>
#include <vector>

#include "tests/hostile/hostile_site.h"

namespace zorvitan::testing {
namespace {

class InterruptedRun : public HostileSite {
 protected:
  // The program signals itself once the first page is read, with the new map
  // half written.
  ProgramResult RunInterrupted(int signal_number) {
    return RunProgram(ProgramLaunch{ZORVITAN_CLI_INTERRUPTED_PATH,
                                    {std::to_string(signal_number), "-q", "site", "map.txt"},
                                    dir_.path()});
  }
};

class InterruptTest : public InterruptedRun, public ::testing::WithParamInterface<int> {};

TEST_P(InterruptTest, LeavesTheOldMapOrNoneAndNoTemporaryFile) {
  dir_.MakeFolder("site/a");
  dir_.Write("site/a/p.htm", "<title>P</title>");
  dir_.Write("site/b.htm", "<title>B</title>");
  // Without an old map, not even the empty one the run began with stays.
  EXPECT_EQ(RunInterrupted(GetParam()).term_signal, GetParam());
  EXPECT_EQ(Names(dir_.path()), (std::vector<std::string>{"site"}));
  dir_.Write("map.txt", "stara mapa");
  const ProgramResult result = RunInterrupted(GetParam());
  EXPECT_EQ(result.term_signal, GetParam());
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(Map(), "stara mapa");
  EXPECT_EQ(Names(dir_.path()), (std::vector<std::string>{"map.txt", "site"}));
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptTest, ::testing::Values(SIGINT, SIGTERM, SIGHUP));

using IgnoredInterruptTest = InterruptedRun;

TEST_F(IgnoredInterruptTest, AnIgnoredSignalStaysIgnored) {
  // nohup and background jobs start us with SIGHUP or SIGINT ignored: the run
  // must then go on to the end.
  dir_.Write("site/b.htm", "<title>B</title>");
  struct sigaction ignore = {}, previous;
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGHUP, &ignore, &previous);
  const ProgramResult result = RunInterrupted(SIGHUP);
  sigaction(SIGHUP, &previous, nullptr);
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(Map(), "<h1>" + Site() + "</h1>\r\n<br><a href=\"b.htm\">B</a>\r\n");
}

}  // namespace
}  // namespace zorvitan::testing
