// A fake window and file system with a run wired to them.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/generation_run.h"
#include "tests/engine/fake_platform.h"
#include "tests/engine/fake_window.h"

namespace zorvitan::testing {

class EngineTest : public ::testing::Test {
 protected:
  FakePlatform fs;
  FakeWindow window{fs};
  GenerationRun run{window, fs};

  // Sets the three fields and runs the generate button.
  RunReport Generate(const std::string& site, const std::string& map,
                     const std::string& patterns = "*.htm; *.html; *.php") {
    window.fields[Field::kSiteFolder] = site;
    window.fields[Field::kMapFile] = map;
    window.fields[Field::kPatterns] = patterns;
    return run.Generate();
  }

  static std::string Page(const std::string& title) {
    return "<html><head><title>" + title + "</title></head><body>x</body></html>\r\n";
  }
};

}  // namespace zorvitan::testing
