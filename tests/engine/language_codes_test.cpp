#include "engine/text/language_codes.h"

#include <gtest/gtest.h>

#include <string_view>

namespace zorvitan {
namespace {

// Every code of the registry is held against npm language-tags (tests/language_codes); here
// are the examples and the forms around the codes.
TEST(LanguageCodes, AcceptsLanguageScriptRegionInAnyCaseAndNothingAroundThem) {
  for (const char* code : {"pl", "zh-TW", "EN-gb", "zh-hant-TW", "sr-Latn-RS", "es-419", "haw",
                           "en-Latn", "x-default", "X-Default"}) {
    EXPECT_TRUE(IsHreflangCode(code)) << code;
  }
  for (const char* code :
       {"en-UK", "jp", "pl_PL", "deu", "ger", "iw", "en-YU", "de-ZZ", "sq-XK", "en-GBR", "engl",
        "x-defaults", "i-default", "de-CH-1901", "en-US-x-twain", "zh-yue", "de-DE-AT",
        "de-Latn-Latn", "de-DE-Latn", "", "en-", "-en", "en--GB", " en", "en-GB\n", "\xC3\xA9n"}) {
    EXPECT_FALSE(IsHreflangCode(code)) << code;
  }
  const std::string_view text = "en-GBxyz";  // only the view counts, not what follows it
  EXPECT_TRUE(IsHreflangCode(text.substr(0, 5)));
  EXPECT_FALSE(IsHreflangCode(text.substr(0, 4)));
}

}  // namespace
}  // namespace zorvitan
