// SystemLanguage from the environment's locale variables.
#include <stdlib.h>

#include "gtest/gtest.h"
#include "platform/posix/os_platform.h"

namespace zorvitan {
namespace {

TEST(PosixSystemLanguage, TakesTheFirstVariableSetAndItsPrimarySubtag) {
  // LC_ALL, LC_MESSAGES, LANG, and the language; empty reads as unset.
  const char* const cases[][4] = {
      {"", "", "ja_JP.UTF-8", "ja"},
      {"", "SR_rs@latin", "ja_JP", "sr"},
      {"POSIX", "pl_PL", "pl_PL", ""},
  };
  for (const auto& c : cases) {
    setenv("LC_ALL", c[0], 1);
    setenv("LC_MESSAGES", c[1], 1);
    setenv("LANG", c[2], 1);
    EXPECT_EQ(PosixPlatform().SystemLanguage(), c[3]) << c[0] << ' ' << c[1] << ' ' << c[2];
  }
}

}  // namespace
}  // namespace zorvitan
