// A Windows program that shows what it was given: each argument, its standard input, and an
// exit code chosen by its caller. The rig's own test runs it through the Wine wrapper.
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  int exit_code = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--exit") == 0 && i + 1 < argc) exit_code = std::atoi(argv[i + 1]);
    std::printf("argv[%d]=<%s>\n", i, argv[i]);
  }
  char line[256] = {};
  if (std::fgets(line, sizeof line, stdin)) std::printf("stdin=<%s>\n", line);
  std::fprintf(stderr, "to standard error\n");
  return exit_code;
}
