#include <ftw.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/temp_folder.h"

namespace zorvitan::testing {
namespace {

int RemoveOne(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }

}  // namespace

TempFolder::TempFolder() {
  const char* tmp = getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zorvitan-test.XXXXXX";
  if (mkdtemp(pattern.data())) path_ = pattern;
}

TempFolder::~TempFolder() {
  if (!path_.empty()) nftw(path_.c_str(), RemoveOne, 16, FTW_DEPTH | FTW_PHYS);
}

std::string TempFolder::MakeFolder(const std::string& relative) const {
  const std::string path = *this / relative;
  mkdir(path.c_str(), 0777);
  return path + kSeparator;
}

bool TempFolder::Exists(const std::string& relative) const {
  struct stat st;
  return lstat((*this / relative).c_str(), &st) == 0;
}

}  // namespace zorvitan::testing
