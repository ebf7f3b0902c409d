// Links that loop or cross, and files that are no pages at all: FIFOs, sockets
// and devices named like pages must never be opened (opening one could block
// for ever or read without end).
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <string>

#include "tests/hostile/hostile_site.h"

namespace zorvitan::testing {
namespace {

using LinksTest = HostileSite;

TEST_F(LinksTest, LoopsAndCrossLinksWalkEachRealFolderOnce) {
  dir_.MakeFolder("site/a");
  dir_.MakeFolder("site/b");
  dir_.Write("site/index.htm", "<title>Start</title>");
  dir_.Write("site/a/p.htm", "<title>P</title>");
  dir_.Write("site/b/q.htm", "<title>Q</title>");
  ASSERT_EQ(symlink(".", (dir_ / "site/a/self").c_str()), 0);
  ASSERT_EQ(symlink("../b", (dir_ / "site/a/to_b").c_str()), 0);
  ASSERT_EQ(symlink("../a", (dir_ / "site/b/to_a").c_str()), 0);
  ASSERT_EQ(symlink("..", (dir_ / "site/up").c_str()), 0);  // out of the site and back in
  dir_.MakeFolder("site/many");
  for (int i = 0; i < 200; ++i) {
    ASSERT_EQ(
        symlink(i % 2 ? "../a" : "../many", (dir_ / ("site/many/l" + std::to_string(i))).c_str()),
        0);
  }

  const ProgramResult result = RunSite();
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, Found(3));
  // A folder is listed under the first path that reaches it; b is first met
  // through a's link.
  EXPECT_EQ(Map(), "<h1>" + Site() + "</h1>\r\n<br><a href=\"index.htm\">Start</a>\r\n" + "<h1>" +
                       Site() + "a/</h1>\r\n<br><a href=\"a/p.htm\">P</a>\r\n" + "<h1>" + Site() +
                       "a/to_b/</h1>\r\n<br><a href=\"a/to_b/q.htm\">Q</a>\r\n");
}

TEST_F(LinksTest, SpecialFilesNamedLikePagesAreNeverOpened) {
  dir_.Write("site/real.htm", "<title>Prawdziwa</title>");
  ASSERT_EQ(mkfifo((dir_ / "site/fifo.htm").c_str(), 0644), 0);
  ASSERT_EQ(symlink("fifo.htm", (dir_ / "site/to_fifo.htm").c_str()), 0);
  ASSERT_EQ(symlink("/dev/zero", (dir_ / "site/zero.htm").c_str()), 0);
  ASSERT_EQ(symlink("/dev/tty", (dir_ / "site/tty.htm").c_str()), 0);
  ASSERT_EQ(symlink("missing.htm", (dir_ / "site/dangling.htm").c_str()), 0);
  ASSERT_EQ(symlink("loop.htm", (dir_ / "site/loop.htm").c_str()), 0);
  const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(sock, 0);
  struct sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  const std::string socket_path = dir_ / "site/socket.htm";
  ASSERT_LT(socket_path.size(), sizeof address.sun_path);
  socket_path.copy(address.sun_path, socket_path.size());
  ASSERT_EQ(bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(sock, 1), 0);  // a listening socket: a connect would succeed

  const ProgramResult result = RunSite();
  close(sock);
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.out, Found(1));
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(Map(), "<h1>" + Site() + "</h1>\r\n<br><a href=\"real.htm\">Prawdziwa</a>\r\n");
}

TEST_F(LinksTest, ALinkedSiteFolderAndALinkToTheRootOfTheSite) {
  dir_.MakeFolder("real");
  dir_.Write("real/p.htm", "<title>P</title>");
  ASSERT_EQ(symlink("real", (dir_ / "linked").c_str()), 0);
  ASSERT_EQ(symlink("../linked", (dir_ / "real/back").c_str()), 0);
  const ProgramResult result = Run({"-q", "linked", "map.txt"});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(Map(), "<h1>" + dir_.path() + "/linked/</h1>\r\n<br><a href=\"p.htm\">P</a>\r\n");
}

}  // namespace
}  // namespace zorvitan::testing
