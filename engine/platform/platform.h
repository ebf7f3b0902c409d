// What a generation run needs from the operating system.
//
// One implementation per platform (platform/win32, platform/posix) and an
// in-memory one for the tests. Paths and names are byte strings in the system's
// 8-bit code page and pass through unchanged; only the program's own texts,
// kept as UTF-8 in the source, are converted with ProgramText().
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
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

class Platform {
 public:
  virtual ~Platform() = default;

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

  // Removes a file (never a folder): what is left of an earlier, larger set
  // of sitemap files.
  virtual bool RemoveFile(const std::string& path) = 0;

  // Converts one of the program's own texts (UTF-8 in the source) to the
  // system's 8-bit code page. Identity on POSIX.
  virtual std::string ProgramText(const std::string& utf8) const = 0;

  // The reverse: text in the system's 8-bit code page as UTF-8, for URLs.
  // Identity on POSIX, where names are taken as the bytes they are.
  virtual std::string Utf8FromCodePage(const std::string& text) const { return text; }

  // The encoding the map is written in, by the name browsers give it
  // (engine/text/encoding_labels.h): the ANSI code page's on Windows
  // ("windows-1250"), "UTF-8" on POSIX.
  virtual std::string MapEncoding() const { return "UTF-8"; }

  // Decodes `bytes` in `encoding` (by its name) to UTF-8, each byte sequence
  // the encoding does not define as U+FFFD. False when the platform has no
  // converter for it. Called from two threads at once, like OpenPage.
  virtual bool DecodeText(std::string_view encoding, std::string_view bytes,
                          std::string* utf8) const = 0;

  // UTF-8 text in the map's encoding, each character the encoding lacks
  // written as its HTML character reference "&#N;". False when it cannot be
  // converted. Called from two threads at once.
  virtual bool EncodeForMap(std::string_view utf8, std::string* encoded) const = 0;

  // Whether paths may hold names the code page cannot, marked as
  // engine/text/foreign_names.h describes.
  virtual bool MarksForeignNames() const { return false; }

  // The language of the system's locale as a BCP 47 primary language subtag
  // in lower case ("pl", "ja"); "" when the locale names none ("C", "POSIX").
  virtual std::string SystemLanguage() const = 0;
};

}  // namespace zorvitan
