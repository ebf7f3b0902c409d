// An in-memory file system with Windows semantics, for the engine tests:
// drive letters, backslashes, case-insensitive names that keep their case,
// hidden and system attributes, folder links (junctions), a current drive and
// folder, and failures that can be injected at every step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "engine/platform/platform.h"

namespace zorvitan::testing {

class FakePlatform : public Platform {
 public:
  FakePlatform();

  // Building the tree. Paths are absolute ("C:\\site\\a.htm"); missing parent
  // folders are created.
  void AddFolder(const std::string& path, bool hidden = false);
  void AddFile(const std::string& path, const std::string& bytes, bool hidden = false,
               bool system = false);
  // A folder entry that leads to another folder (a junction).
  void AddLink(const std::string& path, const std::string& target);
  void SetReadOnly(const std::string& path);
  void SetModifiedTime(const std::string& path, std::int64_t seconds);
  void Remove(const std::string& path);

  bool Exists(const std::string& path) const;
  std::string Contents(const std::string& path) const;
  // Every path in the tree (for "no temporary file left behind").
  std::vector<std::string> AllPaths() const;

  // The locale's language SystemLanguage gives: none unless a test sets it.
  std::string system_language;

  // Failures.
  std::set<std::string> unopenable_pages;    // OpenPage gives nullptr
  std::set<std::string> unreadable_pages;    // Read gives -1
  std::set<std::string> unlistable_folders;  // ListFolder fails (folder path with separator)
  bool fail_begin_replacing = false;
  long fail_map_write_after = -1;  // bytes written before a write fails; -1 never
  bool fail_commit = false;
  struct ProgramAnswer {
    int exit_code = 0;
    std::string output;
  };
  std::map<std::string, ProgramAnswer> programs;  // by an argument, such as "log"
  std::vector<std::vector<std::string>> programs_run;
  // Encodings DecodeText has no converter for (it knows windows-1250 and
  // ISO-8859-2, for the Polish letters), and a failing EncodeForMap.
  std::set<std::string> unconvertible_encodings;
  bool fail_encode = false;

  // Observations.
  std::vector<std::string> opened_pages;
  std::string current_drive = "C:";
  std::map<std::string, std::string> current_folder_by_drive;  // folded drive -> path
  std::string CurrentFolder() const;

  // FileSystem.
  char Separator() const override { return '\\'; }
  std::string FoldCase(const std::string& path) const override;
  bool ListFolder(const std::string& folder, std::vector<DirEntry>* entries) override;
  bool FolderIdentity(const std::string& folder, std::string* identity) override;
  bool SetCurrentFolder(const std::string& folder) override;
  std::unique_ptr<PageReader> OpenPage(const std::string& path) override;
  bool ProbeReplaceable(const std::string& path) override;
  std::unique_ptr<FileReplacement> BeginReplacing(const std::string& path) override;
  bool ModifiedTime(const std::string& path, std::int64_t* seconds) override;
  bool RemoveFile(const std::string& path) override;
  // ProgramRunner. Answers from `programs`: the first whose key is one of the arguments
  // gives the exit code and the output, handed over in pieces of 3 bytes.
  int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                 const OutputSink& output) override;
  // SystemText.
  std::string MapEncoding() const override { return "windows-1250"; }
  bool DecodeText(std::string_view encoding, std::string_view bytes,
                  std::string* utf8) const override;
  bool EncodeForMap(std::string_view utf8, std::string* encoded) const override;
  std::string ProgramText(const std::string& utf8) const override;
  std::string Utf8FromCodePage(const std::string& text) const override;
  bool MarksForeignNames() const override { return true; }
  std::string SystemLanguage() const override { return system_language; }

 private:
  struct Node {
    std::string name;  // as created, case kept
    bool is_folder = false;
    bool hidden = false;
    bool system = false;
    bool read_only = false;
    std::int64_t modified = 1700000000;  // 2023-11-14T22:13:20Z
    std::string link_target;             // for a junction: the folded real path
    std::string bytes;
    std::vector<std::string> children;  // folded child names, in creation order
  };
  friend class FakeFileReplacement;

  std::string Absolute(const std::string& path) const;
  // Follows links; returns the folded real path, or "" when missing.
  std::string Resolve(const std::string& path) const;
  Node* Find(const std::string& path);
  const Node* Find(const std::string& path) const;
  Node& Create(const std::string& path, bool is_folder);
  void Unlink(const std::string& real_path);

  std::map<std::string, Node> nodes_;  // folded real path -> node
  std::mutex open_page_mutex_;         // pages are opened from two threads
  std::mutex programs_mutex_;          // git's log and status run side by side
  int temp_counter_ = 0;
};

// Code page 1250 for the Polish letters the program's texts use, and back;
// and ISO-8859-2 for them.
std::string Cp1250(const std::string& utf8);
std::string Utf8FromCp1250(const std::string& cp1250);
std::string Latin2(const std::string& utf8);

}  // namespace zorvitan::testing
