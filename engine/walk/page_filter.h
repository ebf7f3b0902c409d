// Which entries of a folder are pages: regular files whose names match one of
// the patterns. Files with the hidden or system attribute are left out.
#pragma once

#include <string>

#include "engine/platform/file_system.h"
#include "engine/walk/pattern.h"

namespace zorvitan {

class PageFilter {
 public:
  explicit PageFilter(const std::string& patterns) : patterns_(patterns) {}

  // Whether the entry is a page.
  bool Accepts(const DirEntry& entry) const;

 private:
  PatternSet patterns_;
};

}  // namespace zorvitan
