#include <windows.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/support/temp_folder.h"

namespace zorvitan::testing {
namespace {

// Wide and "\\?\"-prefixed, so names outside the code page and paths past
// MAX_PATH that a test made go too.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      // A link to a folder is removed as a folder without following it.
      if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        if (!RemoveDirectoryW(path.c_str())) DeleteFileW(path.c_str());
      } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + L"\\");
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

std::wstring LongWidePath(const std::string& ansi_path) {
  const int size = static_cast<int>(ansi_path.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, ansi_path.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi_path.data(), size, &wide[0], length);
  return L"\\\\?\\" + wide;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TempFolder::TempFolder() {
  static unsigned counter = 0;
  char temp[MAX_PATH + 1];
  GetTempPathA(sizeof(temp), temp);
  std::ostringstream name;
  name << temp << "zvtest" << GetCurrentProcessId() << "-" << GetTickCount() << "-" << counter++;
  CreateDirectoryA(name.str().c_str(), nullptr);
  path_ = name.str();
}

TempFolder::~TempFolder() { RemoveTree(LongWidePath(folder())); }

std::string TempFolder::MakeFolder(const std::string& relative) const {
  const std::string path = *this / relative;
  CreateDirectoryA(path.c_str(), nullptr);
  return path + kSeparator;
}

bool TempFolder::Exists(const std::string& relative) const {
  return GetFileAttributesA((*this / relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace zorvitan::testing
