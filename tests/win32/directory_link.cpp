#include "tests/win32/directory_link.h"

#include <windows.h>

#include <string>

namespace zorvitan {
namespace {

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Wine may report a Unix program finished before it has run: wait a while,
// long enough for a machine under load.
bool WaitUntilExists(const std::string& path, bool exists) {
  for (int wait = 0; wait < 500 && Exists(path) != exists; ++wait) Sleep(20);
  return Exists(path) == exists;
}

// Wine's own name for a Windows path on the Unix side; empty outside Wine.
std::string UnixPath(const std::string& path) {
  using UnixNameFunction = char* (*)(const wchar_t*);
  // Through void* since a FARPROC has no real signature.
  auto unix_name = reinterpret_cast<UnixNameFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (unix_name == nullptr) return std::string();
  wchar_t wide[MAX_PATH + 1];
  if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH + 1) == 0) {
    return std::string();
  }
  char* name = unix_name(wide);
  if (name == nullptr) return std::string();
  std::string result = name;
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

// Wine starts Unix programs through CreateProcess.
bool RunUnixProgram(std::string command) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process;
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace

bool DirectoryLink::Create(const std::string& link, const std::string& target) {
  link_ = link;
  if (CreateSymbolicLinkA(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) &&
      Exists(link)) {
    return true;
  }
  const DWORD error = GetLastError();
  const std::string unix_target = UnixPath(target);
  const std::string unix_link = UnixPath(link);  // the last part need not exist yet
  if (unix_target.empty() || unix_link.empty()) {
    failure_ = "CreateSymbolicLinkA failed with error " + std::to_string(error) +
               ", and this is no Wine that could make a Unix link";
    return false;
  }
  const std::string command = "Z:\\bin\\ln -s \"" + unix_target + "\" \"" + unix_link + "\"";
  if (!RunUnixProgram(command)) {
    failure_ = "Wine could not start " + command + ": error " + std::to_string(GetLastError());
    return false;
  }
  unix_link_ = unix_link;
  if (WaitUntilExists(link, true)) return true;
  failure_ = command + " made no link " + link + " within 10 s";
  return false;
}

DirectoryLink::~DirectoryLink() {
  if (link_.empty()) return;
  if (!unix_link_.empty()) {
    // Wine cannot remove a Unix link to a folder itself.
    RunUnixProgram("Z:\\bin\\rm -f \"" + unix_link_ + "\"");
    WaitUntilExists(link_, false);
  } else {
    RemoveDirectoryA(link_.c_str());
  }
}

}  // namespace zorvitan
