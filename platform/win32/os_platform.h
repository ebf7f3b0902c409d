// The engine's Platform on Windows, through the ANSI ("A") functions: names,
// paths and page text are bytes in the system's 8-bit code page. A name the
// code page cannot hold is carried marked (engine/text/foreign_names.h), and paths
// with such names or too long for the "A" functions take the "W" ones
// (wide_path.h). One object implements the three interfaces, as its file
// system and its text share the code page; each method lives with its kind.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/platform/platform.h"
#include "platform/win32/code_page.h"

namespace zorvitan {

class Win32Platform : public Platform {
 public:
  // FileSystem: folders.cpp, files.cpp, page_reader.cpp, file_replacement.cpp.
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
  // ProgramRunner: programs.cpp.
  int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                 const OutputSink& output) override;
  // SystemText: code_page.h, text_encodings.cpp, system_language.cpp.
  std::string ProgramText(const std::string& utf8) const override { return Utf8ToAnsi(utf8); }
  std::string Utf8FromCodePage(const std::string& text) const override { return AnsiToUtf8(text); }
  bool MarksForeignNames() const override { return true; }
  std::string MapEncoding() const override;
  bool DecodeText(std::string_view encoding, std::string_view bytes,
                  std::string* utf8) const override;
  bool EncodeForMap(std::string_view utf8, std::string* encoded) const override;
  std::string SystemLanguage() const override;
};

}  // namespace zorvitan
