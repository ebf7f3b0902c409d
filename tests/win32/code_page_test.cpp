#include "platform/win32/code_page.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/os_platform.h"

namespace zorvitan {
namespace {

// "zażółć" and "ŻÓŁĆ" in code page 1250.
const char kLowerPolish[] = "za\xBF\xF3\xB3\xE6";
const char kUpperPolish[] = "ZA\xAF\xD3\xA3\xC6";

TEST(CodePageTest, RunsUnderThePolishCodePage) {
  // Every other expectation about Polish names depends on this.
  ASSERT_EQ(GetACP(), 1250u);
}

TEST(CodePageTest, ProgramTextConvertsPolishLettersToCodePage1250) {
  Win32Platform platform;
  EXPECT_EQ(platform.ProgramText(u8"zażółć"), kLowerPolish);
  EXPECT_EQ(platform.ProgramText(u8"Błąd"), "B\xB3\xB9\x64");
  EXPECT_EQ(platform.ProgramText(u8"Skończyłem\r\nZnalazłem: 0 plików"),
            "Sko\xF1\x63zy\xB3\x65m\r\nZnalaz\xB3\x65m: 0 plik\xF3w");
  EXPECT_EQ(platform.ProgramText(""), "");
  // A letter the code page lacks becomes its default character.
  EXPECT_EQ(platform.ProgramText(u8"aжb"), "a?b");
}

TEST(CodePageTest, AnsiToUtf8ReversesProgramText) {
  EXPECT_EQ(AnsiToUtf8(kLowerPolish), u8"zażółć");
  EXPECT_EQ(AnsiToUtf8(Utf8ToAnsi(u8"Nie dodawaj stron bez tytułu")),
            u8"Nie dodawaj stron bez tytułu");
  EXPECT_EQ(AnsiToUtf8(""), "");
}

TEST(CodePageTest, FoldCaseLowersPolishCapitalsAndKeepsEverythingElse) {
  Win32Platform platform;
  EXPECT_EQ(platform.FoldCase(std::string("C:\\STRONA\\") + kUpperPolish + "\\Dzia\xA3"),
            std::string("c:\\strona\\") + kLowerPolish + "\\dzia\xB3");
  EXPECT_EQ(platform.FoldCase(""), "");
  EXPECT_EQ(platform.Separator(), '\\');
}

}  // namespace
}  // namespace zorvitan
