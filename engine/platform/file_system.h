// What a run asks of the file system: folders, pages, the replacement of its
// outputs, times and removal, and how paths are spelt (separator, case).
//
// Paths and names are byte strings in the system's 8-bit code page and pass
// through unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zorvitan {

// One entry of a folder, as the enumeration returns it ("." and ".." included
// when the platform returns them).
struct DirEntry {
  std::string name;
  bool is_folder = false;  // the folder bit; for a link, whether it leads to a folder
  bool is_file = false;    // a regular file (after following a link on POSIX)
  bool hidden = false;     // hidden attribute (POSIX: name begins with ".")
  bool system = false;     // system attribute (never set on POSIX)
};

// A page file opened for reading.
class PageReader {
 public:
  virtual ~PageReader() = default;
  // Reads up to `size` bytes into `buffer`. Returns the number of bytes read,
  // 0 at the end of the file, or -1 on a read error.
  virtual long Read(char* buffer, std::size_t size) = 0;
};

// What the writers gather before each FileReplacement::Write.
inline constexpr std::size_t kWriteChunk = 256 * 1024;

// A new file that replaces a target file (the map, or any file of a sitemap
// set) only once it is complete. It is written to a temporary file beside the
// target, and only Commit() puts it in place, so the old file survives any
// failure. Destroying an uncommitted replacement removes the temporary.
class FileReplacement {
 public:
  virtual ~FileReplacement() = default;
  // Hands the bytes to the system as they come: the writers gather
  // kWriteChunk bytes first.
  virtual bool Write(const char* data, std::size_t size) = 0;
  // Closes the temporary file, complete, without putting it in place yet: a
  // set of files is finished whole before the first of them replaces anything.
  virtual bool Finish() = 0;
  // Finishes the temporary file, when that is still to do, and replaces the
  // target with it.
  virtual bool Commit() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The path separator: '\\' on Windows, '/' on POSIX.
  virtual char Separator() const = 0;

  // The key under which the folder registry compares folder paths: lower case
  // on Windows (names are case-insensitive there), the path itself on POSIX.
  virtual std::string FoldCase(const std::string& path) const = 0;

  // Enumerates a folder, given with its trailing separator. Returns false when
  // the folder cannot be opened; the entries come in the platform's order.
  virtual bool ListFolder(const std::string& folder, std::vector<DirEntry>* entries) = 0;

  // A key that is equal for two paths exactly when they lead to the same real
  // folder (through links or not). Returns false when it cannot be told.
  virtual bool FolderIdentity(const std::string& folder, std::string* identity) = 0;

  // Makes the folder the current drive and directory. Returns false on any
  // failure (on Windows also when the text starts with no drive letter).
  virtual bool SetCurrentFolder(const std::string& folder) = 0;

  // Opens a page for reading; nullptr when it cannot be opened. Pages may be
  // opened and read on two threads at once (each reader stays on its thread).
  virtual std::unique_ptr<PageReader> OpenPage(const std::string& path) = 0;

  // Tests that the file can be replaced: opens it for writing, creating it
  // when it does not exist, without cutting an existing file, and closes it.
  virtual bool ProbeReplaceable(const std::string& path) = 0;

  // Starts writing the replacement of `path` to a temporary file beside it;
  // nullptr when that cannot be created. A relative path is resolved against
  // the current folder.
  virtual std::unique_ptr<FileReplacement> BeginReplacing(const std::string& path) = 0;

  // The file's last modification time, in seconds since 1970-01-01 UTC.
  // Called from two threads at once, like OpenPage.
  virtual bool ModifiedTime(const std::string& path, std::int64_t* seconds) = 0;

  // Removes a file (never a folder): what is left of an earlier, larger set
  // of sitemap files.
  virtual bool RemoveFile(const std::string& path) = 0;
};

}  // namespace zorvitan
