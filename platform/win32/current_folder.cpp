#include <windows.h>

#include "platform/win32/folders.h"

namespace zorvitan {
namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

bool MakeFolderCurrent(const std::string& folder) {
  if (folder.size() < 2 || !IsDriveLetter(folder[0]) || folder[1] != ':') return false;
  // "X:" alone switches to that drive (and its remembered folder), as a drive
  // change does at a command prompt; then the folder itself becomes current.
  const std::string drive = folder.substr(0, 2);
  return SetCurrentDirectoryA(drive.c_str()) && SetCurrentDirectoryA(folder.c_str());
}

}  // namespace zorvitan
