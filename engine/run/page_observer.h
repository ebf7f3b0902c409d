// Hears of each page a format's writer takes, in the list's order, as its
// entry is written: how the window's clipboard follows a run.
#pragma once

#include <string>

namespace zorvitan {

class PageObserver {
 public:
  virtual ~PageObserver() = default;
  // A page that could be read.
  virtual void PageTaken(const std::string& path) = 0;
};

}  // namespace zorvitan
