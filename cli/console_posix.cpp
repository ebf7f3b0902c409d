// POSIX streams carry UTF-8 bytes as they are.
#include <errno.h>
#include <unistd.h>

#include <string>

#include "cli/console.h"

namespace zorvitan::cli {
namespace {

int FileDescriptor(Stream stream) { return stream == Stream::kOut ? 1 : 2; }

}  // namespace

bool IsTerminal(Stream stream) { return isatty(FileDescriptor(stream)) == 1; }

void WriteText(Stream stream, const std::string& text) {
  const char* data = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const ssize_t n = write(FileDescriptor(stream), data, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return;  // a closed pipe or full disk: nothing better to report it on
    }
    data += n;
    left -= static_cast<std::size_t>(n);
  }
}

}  // namespace zorvitan::cli
