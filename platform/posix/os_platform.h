// The POSIX platform layer: names and bytes pass unchanged, names compare
// case-sensitively, dot-files are hidden, and "/" separates folders. One
// object implements the three interfaces of engine/platform/platform.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/platform/platform.h"

namespace zorvitan {

class PosixPlatform : public Platform {
 public:
  // FileSystem: folders.cpp, files.cpp, page_reader.cpp, file_replacement.cpp.
  char Separator() const override { return '/'; }
  std::string FoldCase(const std::string& path) const override { return path; }
  bool ListFolder(const std::string& folder, std::vector<DirEntry>* entries) override;
  bool FolderIdentity(const std::string& folder, std::string* identity) override;
  bool SetCurrentFolder(const std::string& folder) override;
  std::unique_ptr<PageReader> OpenPage(const std::string& path) override;
  bool ProbeReplaceable(const std::string& path) override;
  std::unique_ptr<FileReplacement> BeginReplacing(const std::string& path) override;
  bool ModifiedTime(const std::string& path, std::int64_t* seconds) override;
  bool RemoveFile(const std::string& path) override;
  // ProgramRunner: programs.cpp.
  int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                 const OutputSink& output) override;
  // SystemText: text_encodings.cpp, system_language.cpp.
  std::string ProgramText(const std::string& utf8) const override { return utf8; }
  bool DecodeText(std::string_view encoding, std::string_view bytes,
                  std::string* utf8) const override;
  bool EncodeForMap(std::string_view utf8, std::string* encoded) const override;
  std::string SystemLanguage() const override;
};

}  // namespace zorvitan
