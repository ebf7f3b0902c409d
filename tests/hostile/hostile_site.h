// A scratch site for the hostile-tree tests, and zorvitan-cli run on it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tests/support/temp_folder.h"
#include "tests/support/cli_output.h"
#include "tests/support/run_program.h"

namespace zorvitan::testing {

// Peak memory the program may use on a page of any size. Sanitizers add their
// own shadow memory on top.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr long kBoundedRssKb = 192 * 1024;
#else
inline constexpr long kBoundedRssKb = 48 * 1024;
#endif

class HostileSite : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    dir_.MakeFolder("site");
  }

  // Runs zorvitan-cli in the scratch folder.
  ProgramResult Run(std::vector<std::string> args) {
    return RunProgram(ProgramLaunch{ZORVITAN_CLI_PATH, std::move(args), dir_.path(), -1});
  }
  // The usual run: the site into map.txt beside it (no pattern matches the map).
  ProgramResult RunSite() { return Run({"-q", "site", "map.txt"}); }

  std::string Site() const { return dir_.path() + "/site/"; }
  std::string Map() const { return dir_.Read("map.txt"); }

  // A file of `size` bytes that starts with `head`; the rest is a hole.
  void MakeSparse(const std::string& relative, const std::string& head, long long size) const;

  TempFolder dir_;
};

// The names in a folder, "." and ".." left out, sorted by bytes.
std::vector<std::string> Names(const std::string& folder);

std::size_t CountOf(const std::string& text, const std::string& needle);

}  // namespace zorvitan::testing
