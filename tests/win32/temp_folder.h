// A fresh folder under the system's temp folder, removed with all its
// contents when the test ends.
#pragma once

#include <string>

namespace zorvitan {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's full path with a trailing backslash.
  const std::string& path() const { return path_; }

  // Helpers that create content below the folder; `name` is relative to it.
  std::string MakeFolder(const std::string& name) const;
  std::string WriteFile(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

// A full ANSI path as a "\\?\" wide path, which reaches past MAX_PATH.
std::wstring LongWidePath(const std::string& ansi_path);

// The whole content of a file, or "<missing>" when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace zorvitan
