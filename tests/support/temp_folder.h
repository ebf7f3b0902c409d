// A fresh folder under the system's temporary folder for tests on the real
// file system, removed with all it holds when the test ends. One
// implementation per platform.
#pragma once

#include <string>

namespace zorvitan::testing {

class TempFolder {
 public:
#ifdef _WIN32
  static constexpr char kSeparator = '\\';
#else
  static constexpr char kSeparator = '/';
#endif

  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's absolute path without its trailing separator, and with it.
  const std::string& path() const { return path_; }
  std::string folder() const { return path_ + kSeparator; }
  // A path below the folder; `relative` uses the platform's separators.
  std::string operator/(const std::string& relative) const { return folder() + relative; }

  // Each returns the full path of what it made; a folder's with its separator.
  std::string MakeFolder(const std::string& relative) const;
  std::string Write(const std::string& relative, const std::string& bytes) const;
  // The whole file; "" when it cannot be read.
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;

 private:
  std::string path_;
};

#ifdef _WIN32
// A full ANSI path as a "\\?\" wide path, which reaches past MAX_PATH.
std::wstring LongWidePath(const std::string& ansi_path);
// The whole content of a file, or "<missing>" when it cannot be read.
std::string ReadWholeFile(const std::string& path);
#endif

}  // namespace zorvitan::testing
