#include "tests/win32/temp_folder.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace zorvitan {
namespace {

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      // A link to a folder is removed as a folder without following it.
      if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        if (!RemoveDirectoryA(path.c_str())) DeleteFileA(path.c_str());
      } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + "\\");
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

TempFolder::TempFolder() {
  static unsigned counter = 0;
  char temp[MAX_PATH + 1];
  GetTempPathA(sizeof(temp), temp);
  std::ostringstream name;
  name << temp << "zvtest" << GetCurrentProcessId() << "-" << GetTickCount() << "-" << counter++;
  CreateDirectoryA(name.str().c_str(), nullptr);
  path_ = name.str() + "\\";
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string TempFolder::MakeFolder(const std::string& name) const {
  const std::string path = path_ + name;
  CreateDirectoryA(path.c_str(), nullptr);
  return path + "\\";
}

std::string TempFolder::WriteFile(const std::string& name, const std::string& bytes) const {
  const std::string path = path_ + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace zorvitan
