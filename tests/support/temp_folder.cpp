// What both platforms' scratch folders do alike: files through the standard streams.
#include "tests/support/temp_folder.h"

#include <fstream>
#include <iterator>

namespace zorvitan::testing {

std::string TempFolder::Write(const std::string& relative, const std::string& bytes) const {
  const std::string path = *this / relative;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

std::string TempFolder::Read(const std::string& relative) const {
  std::ifstream in(*this / relative, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace zorvitan::testing
