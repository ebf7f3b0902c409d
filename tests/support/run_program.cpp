#include "tests/support/run_program.h"

#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

namespace zorvitan::testing {
namespace {

struct User {
  uid_t uid = 0;
  gid_t gid = 0;
};

[[noreturn]] void ExecChild(const ProgramLaunch& launch, const User* as_user, int out_fd,
                            int err_fd) {
  dup2(out_fd, 1);
  dup2(err_fd, 2);
  if (as_user &&
      (setgroups(0, nullptr) != 0 || setgid(as_user->gid) != 0 || setuid(as_user->uid) != 0)) {
    _exit(125);
  }
  if (!launch.folder.empty() && chdir(launch.folder.c_str()) != 0) _exit(126);
  setenv("LC_ALL", launch.locale.c_str(), 1);
  unsetenv("LANGUAGE");
  if (launch.file_size_limit >= 0) {
    // Writes past the limit then fail with EFBIG instead of killing the child.
    signal(SIGXFSZ, SIG_IGN);
    const struct rlimit limit = {static_cast<rlim_t>(launch.file_size_limit),
                                 static_cast<rlim_t>(launch.file_size_limit)};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(launch.program.c_str()));
  for (const std::string& arg : launch.args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  execv(launch.program.c_str(), argv.data());
  _exit(127);
}

// What the exited child read in all, while it is still a zombie: the counters
// go with it when it is reaped.
long long BytesRead(pid_t pid) {
  siginfo_t info;
  if (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) != 0) return -1;
  std::ifstream io("/proc/" + std::to_string(pid) + "/io");
  std::string key;
  long long value;
  while (io >> key >> value) {
    if (key == "rchar:") return value;
  }
  return -1;
}

}  // namespace

ProgramResult RunProgram(const ProgramLaunch& launch) {
  ProgramResult result;
  int out_pipe[2], err_pipe[2];
  if (pipe(out_pipe) != 0 || pipe(err_pipe) != 0) return result;
  User nobody;
  const User* as_user = nullptr;
  if (launch.unprivileged && geteuid() == 0) {
    const struct passwd* entry = getpwnam("nobody");
    if (!entry) return result;
    nobody = User{entry->pw_uid, entry->pw_gid};
    as_user = &nobody;
  }
  const pid_t pid = fork();
  if (pid == 0) {
    close(out_pipe[0]);
    close(err_pipe[0]);
    ExecChild(launch, as_user, out_pipe[1], err_pipe[1]);
  }
  close(out_pipe[1]);
  close(err_pipe[1]);

  // Both pipes are drained together so a chatty child never blocks on one.
  struct pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open_pipes = 2;
  while (open_pipes > 0 && poll(fds, 2, -1) >= 0) {
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open_pipes;
      }
    }
  }
  if (pid <= 0) return result;
  result.bytes_read = BytesRead(pid);
  int status = 0;
  struct rusage usage;
  if (wait4(pid, &status, 0, &usage) != pid) return result;
  result.max_rss_kb = usage.ru_maxrss;
  if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.term_signal = WTERMSIG(status);
  return result;
}

}  // namespace zorvitan::testing
