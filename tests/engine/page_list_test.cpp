#include "engine/walk/page_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorvitan {
namespace {

std::vector<std::string> PathsOf(const PageList& list) {
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < list.size(); ++i) paths.push_back(list[i]);
  return paths;
}

// Pages are added folder by folder; enough of them to fill several blocks of
// names.
TEST(PageList, GivesBackEveryPathInOrder) {
  PageList list;
  std::vector<std::string> expected;
  for (int folder = 0; folder < 4; ++folder) {
    std::vector<std::string> names;
    const int count = folder == 1 ? 0 : 20000;  // a folder without pages
    for (int i = 0; i < count; ++i) {
      names.push_back("strona-" + std::to_string(folder) + "-" + std::to_string(i) +
                      std::string(static_cast<std::size_t>(i % 40), 'x') + ".htm");
    }
    list.AddPages("C:\\site\\d" + std::to_string(folder) + "\\", names);
    for (const std::string& name : names) {
      expected.push_back("C:\\site\\d" + std::to_string(folder) + "\\" + name);
    }
  }
  ASSERT_EQ(list.size(), expected.size());
  EXPECT_EQ(PathsOf(list), expected);
  EXPECT_EQ(list.FolderOf(20000), "C:\\site\\d2\\");
  EXPECT_EQ(list.NameOf(20000), "strona-2-0.htm");

  EXPECT_EQ(PathsOf(PageList({"C:\\a.htm", "/srv/b/c.htm", "bare"})),
            (std::vector<std::string>{"C:\\a.htm", "/srv/b/c.htm", "bare"}));
}

}  // namespace
}  // namespace zorvitan
