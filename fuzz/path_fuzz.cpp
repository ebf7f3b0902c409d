// Differential fuzzing of the path helpers: the folder part, the slash
// conversion and the folder-name order.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/text/text_rules.h"
#include "fuzz/fuzz_check.h"

namespace {

std::string ModelFolderOf(const std::string& path, char separator) {
  std::size_t last = 0;  // position from 1 of the last separator; 0 when none
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] == separator) last = i + 1;
  }
  return path.substr(0, last);
}

std::string ModelWithForwardSlashes(const std::string& path, char separator) {
  std::string out;
  for (char c : path) out += (c == separator) ? '/' : c;
  return out;
}

// Names compare by their letters, any case alike; a name the code page cannot
// hold starts with the byte 1, which does not count. Equal so far, the shorter
// sorts first, then the raw bytes decide.
int ModelCompare(const std::string& a, const std::string& b) {
  auto fold = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
  const std::string x = (!a.empty() && a[0] == '\x01') ? a.substr(1) : a;
  const std::string y = (!b.empty() && b[0] == '\x01') ? b.substr(1) : b;
  for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) {
    if (fold(x[i]) != fold(y[i])) return fold(x[i]) < fold(y[i]) ? -1 : 1;
  }
  if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  for (char separator : {'\\', '/'}) {
    const std::string folder = zorvitan::FolderOf(input, separator);
    FUZZ_CHECK(folder == ModelFolderOf(input, separator));
    FUZZ_CHECK(zorvitan::WithForwardSlashes(input, separator) ==
               ModelWithForwardSlashes(input, separator));
    FUZZ_CHECK(zorvitan::WithForwardSlashes(input, separator).size() == input.size());
    // The relative path of a page below a site folder is what follows the folder.
    FUZZ_CHECK(folder + input.substr(folder.size()) == input);
  }

  const std::size_t half = input.size() / 2;
  const std::string a = input.substr(0, half), b = input.substr(half);
  const int model = ModelCompare(a, b);
  FUZZ_CHECK(zorvitan::NameLess(a, b) == (model < 0));
  FUZZ_CHECK(zorvitan::NameLess(b, a) == (model > 0));
  return 0;
}
