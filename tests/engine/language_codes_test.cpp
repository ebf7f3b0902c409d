#include "engine/text/language_codes.h"

#include <gtest/gtest.h>

#include <string>

namespace zorvitan {
namespace {

TEST(LanguageCodes, AcceptsLanguageScriptAndRegionInAnyCase) {
  for (const char* code :
       {"en", "pl", "zh-TW", "EN-gb", "en-gb", "zh-hant-TW", "ZH-HANS", "sr-Latn-RS", "es-419",
        "de-150", "en-001", "yue-HK", "haw", "x-default", "X-Default", "aa", "zu", "zza",
        "zh-Zyyy", "fr-Adlm", "en-ax", "en-ZW", "en-Latn", "fr-EA", "isv"}) {
    EXPECT_TRUE(IsHreflangCode(code)) << code;
  }
}

TEST(LanguageCodes, RejectsCodesThatAreNoneOrWithdrawn) {
  for (const char* code :
       {"en-UK", "jp", "pl_PL", "en_GB", "deu", "ger", "fre", "iw", "in", "ji", "mo", "en-YU",
        "de-DD", "ajp", "qaa", "de-ZZ", "sr-Qaaa", "sq-XK", "de-999", "de-000", "en-1", "zh-Han",
        "zh-Hantt", "en-GBR", "e", "engl", "x-defaults", "x", "i-default", "en-x-default"}) {
    EXPECT_FALSE(IsHreflangCode(code)) << code;
  }
}

TEST(LanguageCodes, RejectsExtraPartsAndBrokenSeparators) {
  for (const char* code :
       {"de-CH-1901", "en-US-x-twain", "de-DE-u-co-phonebk", "zh-yue", "zh-yue-HK", "de-DE-AT",
        "de-Latn-Latn", "de-DE-Latn", "en-gb-oed", "", "-", "en-", "-en", "en--GB", "en-GB-",
        " en", "en ", "en\t", "en-GB\n", "e\xC5\x84", "\xC3\xA9n"}) {
    EXPECT_FALSE(IsHreflangCode(code)) << code;
  }
}

TEST(LanguageCodes, ReadsOnlyTheViewNotTheTextAfterIt) {
  const std::string text = "en-GBxyz de";
  EXPECT_TRUE(IsHreflangCode(std::string_view(text).substr(0, 5)));
  EXPECT_TRUE(IsHreflangCode(std::string_view(text).substr(0, 2)));
  EXPECT_FALSE(IsHreflangCode(std::string_view(text).substr(0, 4)));
  EXPECT_TRUE(IsHreflangCode(std::string_view(text).substr(9)));
  EXPECT_FALSE(IsHreflangCode(std::string_view(text.c_str(), text.size() + 1)));
}

}  // namespace
}  // namespace zorvitan
