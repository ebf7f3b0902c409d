// What a run tells its front end while it works, and the one thing it asks.
#pragma once

#include <cstddef>

namespace zorvitan {

// The long parts of a run.
enum class Phase { kWalking, kReading };

class RunProgress {
 public:
  virtual ~RunProgress() = default;

  // `done` of `total` folders walked or pages read; `total` is 0 while it is
  // not known yet.
  virtual void Report(Phase phase, std::size_t done, std::size_t total) = 0;

  // Asked once per folder walked and once per page read, so a window can
  // repaint and hear its close box. False stops the run where it is: nothing
  // is replaced and the old map stays.
  virtual bool KeepGoing() = 0;
};

}  // namespace zorvitan
