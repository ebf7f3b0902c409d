// The files of one sitemap: MAP itself and, for a site that needs more than
// one file, its numbered siblings NAME-1.EXT, NAME-2.EXT, ... beside it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/platform/file_system.h"

namespace zorvitan {

class SitemapSet {
 public:
  // `map` is the map file's absolute path; `extension` (".xml") names the
  // numbered files when MAP has none of its own.
  SitemapSet(const std::string& map, const std::string& extension, const FileSystem& file_system);

  const std::string& Map() const { return map_; }
  // The numbered file `number` (from 1).
  std::string Part(std::size_t number) const;
  // Whether `path` is MAP or one of its numbered files, in any run.
  bool IsMember(const std::string& path) const;
  // The numbered files beside MAP above `last`: left over from a larger run.
  std::vector<std::string> PartsAbove(std::size_t last, FileSystem& file_system) const;

 private:
  // The number of a numbered file's name; 0 when it is none.
  std::size_t NumberOf(const std::string& name) const;

  const FileSystem& file_system_;
  std::string map_;
  std::string folder_;  // with its separator
  std::string folded_map_;
  std::string folded_folder_;
  std::string stem_;
  std::string extension_;
};

}  // namespace zorvitan
