// Runs a program as a child process and collects what it printed.
#pragma once

#include <string>
#include <vector>

namespace zorvitan::testing {

struct ProgramResult {
  int exit_code = -1;   // -1 when it did not exit normally
  int term_signal = 0;  // the signal that ended it, if one did
  std::string out;
  std::string err;
  long max_rss_kb = -1;       // peak resident memory of the child
  long long bytes_read = -1;  // bytes its read() calls returned (Linux /proc/PID/io)
};

struct ProgramLaunch {
  std::string program;
  std::vector<std::string> args;
  std::string folder;         // the child's current folder; empty: ours
  long file_size_limit = -1;  // RLIMIT_FSIZE in bytes; -1: unlimited
  bool unprivileged = false;  // run by root: as the user "nobody", so permissions hold
  // The child's LC_ALL (LANGUAGE is unset): its messages are English unless a test asks for
  // another language, whatever the locale the tests run in.
  std::string locale = "C.UTF-8";
};

ProgramResult RunProgram(const ProgramLaunch& launch);

}  // namespace zorvitan::testing
