// Running another program: git, for the sitemap's dates.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace zorvitan {

class ProgramRunner {
 public:
  virtual ~ProgramRunner() = default;

  // Runs a program found on the system's search path (`git`) with
  // `arguments` (in the system's code page), handing its standard output to
  // `output` piece by piece; it reads no input and its errors are dropped.
  // Returns its exit code, or -1 when it could not be started.
  using OutputSink = std::function<void(const char* data, std::size_t size)>;
  virtual int RunProgram(const std::string& /*program*/,
                         const std::vector<std::string>& /*arguments*/,
                         const OutputSink& /*output*/) {
    return -1;
  }
};

}  // namespace zorvitan
