#include "platform/win32/win32_platform.h"

#include "platform/win32/code_page.h"
#include "platform/win32/files.h"
#include "platform/win32/folders.h"
#include "platform/win32/wide_path.h"

namespace zorvitan {

std::string Win32Platform::FoldCase(const std::string& path) const { return LowerCasePath(path); }

bool Win32Platform::ListFolder(const std::string& folder, std::vector<DirEntry>* entries) {
  return ListFolderEntries(folder, entries);
}

bool Win32Platform::FolderIdentity(const std::string& folder, std::string* identity) {
  return QueryFolderIdentity(folder, identity);
}

bool Win32Platform::SetCurrentFolder(const std::string& folder) {
  return MakeFolderCurrent(folder);
}

std::unique_ptr<PageReader> Win32Platform::OpenPage(const std::string& path) {
  return OpenPageFile(path);
}

bool Win32Platform::ProbeMapFile(const std::string& path) { return ProbeWritableFile(path); }

std::unique_ptr<MapOutput> Win32Platform::BeginMap(const std::string& path) {
  return BeginMapFile(path);
}

bool Win32Platform::SetClipboardText(const std::string& text) { return clipboard_.SetText(text); }

std::string Win32Platform::ProgramText(const std::string& utf8) const { return Utf8ToAnsi(utf8); }

}  // namespace zorvitan
