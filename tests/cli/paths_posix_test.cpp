// Command-line paths made absolute lexically: links are not resolved.
#include <limits.h>
#include <unistd.h>

#include <string>

#include "cli/paths.h"
#include "gtest/gtest.h"

namespace zorvitan::cli {
namespace {

std::string MakeAbsolute(const std::string& path) {
  std::string absolute;
  EXPECT_TRUE(cli::MakeAbsolute(path, &absolute)) << path;
  return absolute;
}

TEST(MakeAbsolute, JoinsTheCurrentFolderAndCollapsesDotsAndSlashes) {
  char buffer[PATH_MAX];
  ASSERT_NE(getcwd(buffer, sizeof buffer), nullptr);
  const std::string cwd = buffer;
  const std::string parent = cwd == "/" ? "" : cwd.substr(0, cwd.rfind('/'));

  EXPECT_EQ(MakeAbsolute(""), "");
  EXPECT_EQ(MakeAbsolute("map.htm"), cwd + "/map.htm");
  EXPECT_EQ(MakeAbsolute("./site//dział/./"), cwd + "/site/dział/");
  EXPECT_EQ(MakeAbsolute("site/a/../b"), cwd + "/site/b");
  EXPECT_EQ(MakeAbsolute("../map.htm"), parent + "/map.htm");
  EXPECT_EQ(MakeAbsolute("/srv//www/./x/../strona"), "/srv/www/strona");
  EXPECT_EQ(MakeAbsolute("/../../etc"), "/etc");
  EXPECT_EQ(MakeAbsolute("/"), "/");
  EXPECT_EQ(MakeAbsolute("/srv/.."), "/");
  // A path that names a folder keeps saying so.
  EXPECT_EQ(MakeAbsolute("/srv/www/."), "/srv/www/");
  EXPECT_EQ(MakeAbsolute("/srv/www/x/.."), "/srv/www/");
}

}  // namespace
}  // namespace zorvitan::cli
