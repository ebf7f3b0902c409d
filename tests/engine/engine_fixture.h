// A fake window and file system with a run wired to them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/run/generation_run.h"
#include "engine/walk/page_list.h"
#include "engine/walk/pattern.h"
#include "tests/engine/fake_platform.h"
#include "tests/engine/fake_window.h"

namespace zorvitan::testing {

class EngineTest : public ::testing::Test {
 protected:
  FakePlatform fs;
  FakeWindow window{fs};
  // What the window's fields and check box say.
  RunInputs inputs = [this] {
    RunInputs window_inputs;
    window_inputs.patterns = kDefaultPatterns;
    return window_inputs;
  }();

  // Sets the three fields and runs the generate button.
  RunReport Generate(const std::string& site, const std::string& map,
                     const std::string& patterns = kDefaultPatterns) {
    inputs.site_folder = site;
    inputs.map_file = map;
    inputs.patterns = patterns;
    return RunFromWindow(window, fs, inputs);
  }

  // Every page path of the list, in order.
  static std::vector<std::string> PathsOf(const PageList& pages) {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < pages.size(); ++i) paths.push_back(pages[i]);
    return paths;
  }

  static std::string Page(const std::string& title) {
    return "<html><head><title>" + title + "</title></head><body>x</body></html>\r\n";
  }
};

}  // namespace zorvitan::testing
