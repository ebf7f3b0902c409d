// Running a program (git.exe) with its output read through a pipe.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/os_platform.h"
#include "platform/win32/wide_path.h"

namespace zorvitan {
namespace {

// One argument as the C runtime's command-line parser takes it back: quoted
// when it holds a blank or a quote, with backslashes doubled before a quote.
void AppendQuoted(const std::wstring& argument, std::wstring* line) {
  if (!line->empty()) *line += L' ';
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
    *line += argument;
    return;
  }
  *line += L'"';
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    line->append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    *line += c;
  }
  line->append(backslashes * 2, L'\\');
  *line += L'"';
}

}  // namespace

int Win32Platform::RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                              const OutputSink& output) {
  std::wstring line;
  std::wstring wide;
  if (!ToWidePath(program, &wide)) return -1;
  AppendQuoted(wide + L".exe", &line);
  for (const std::string& argument : arguments) {
    if (!ToWidePath(argument, &wide)) return -1;
    AppendQuoted(wide, &line);
  }
  SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherited, 0)) return -1;
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  HANDLE nothing =
      CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  &inherited, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nothing;
  startup.hStdOutput = write_end;
  startup.hStdError = nothing;
  PROCESS_INFORMATION process = {};
  const BOOL started = CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                      nullptr, nullptr, &startup, &process);
  CloseHandle(write_end);
  if (nothing != INVALID_HANDLE_VALUE) CloseHandle(nothing);
  if (!started) {
    CloseHandle(read_end);
    return -1;
  }
  char buffer[64 * 1024];
  DWORD got = 0;
  while (ReadFile(read_end, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    output(buffer, got);
  }
  CloseHandle(read_end);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  const BOOL known = GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return known ? static_cast<int>(code) : -1;
}

}  // namespace zorvitan
