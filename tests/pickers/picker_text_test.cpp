#include "ui/win32/picker_text.h"

#include <gtest/gtest.h>

#include <string>

namespace zorvitan {
namespace {

using std::string_literals::operator""s;

TEST(ConvertFilterToDialogFormTest, MapFilePresetGivesThreeTypesClosedByNul) {
  std::string filter = "*.htm|*htm|*.html|*.html|*.php|*.php";
  ConvertFilterToDialogForm(filter);
  EXPECT_EQ(filter, "*.htm\0*htm\0*.html\0*.html\0*.php\0*.php\0"s);
  // With the string's own terminator the list ends in the double NUL the dialog needs.
  EXPECT_EQ(filter.c_str()[filter.size()], '\0');
}

TEST(ConvertFilterToDialogFormTest, ClosingBarIsNotDoubled) {
  std::string filter = "Strony|*.htm|";
  ConvertFilterToDialogForm(filter);
  EXPECT_EQ(filter, "Strony\0*.htm\0"s);
}

TEST(ConvertFilterToDialogFormTest, EmptyFilterBecomesAnEmptyList) {
  std::string filter;
  ConvertFilterToDialogForm(filter);
  EXPECT_EQ(filter, "\0"s);
}

TEST(CutAtFirstNulTest, KeepsOnlyWhatPrecedesTheFirstNul) {
  EXPECT_EQ(CutAtFirstNul("C:\\Strona\0\0\0"s), "C:\\Strona");
  EXPECT_EQ(CutAtFirstNul("C:\\a\0C:\\b\0"s), "C:\\a");
  EXPECT_EQ(CutAtFirstNul(std::string(260, '\0')), "");
  EXPECT_EQ(CutAtFirstNul("C:\\bez końca"), "C:\\bez końca");
}

TEST(CutAtFirstNulTest, LongestFolderPathArrivesWhole) {
  std::string path = "C:\\" + std::string(256, 'k');  // 259 characters
  std::string buffer = path + std::string(260 - path.size(), '\0');
  EXPECT_EQ(CutAtFirstNul(buffer), path);
}

TEST(TextFromDialogBufferTest, RemovesBlanksAtBothEndsOnly) {
  EXPECT_EQ(TextFromDialogBuffer("  C:\\moja strona\\mapa.htm   "), "C:\\moja strona\\mapa.htm");
  EXPECT_EQ(TextFromDialogBuffer(std::string(254, ' ')), "");
  EXPECT_EQ(TextFromDialogBuffer(""), "");
  // Only spaces are blanks here; a tab is part of the text.
  EXPECT_EQ(TextFromDialogBuffer("\tx "), "\tx");
}

TEST(TextFromDialogBufferTest, PathWrittenOverBlankBufferComesBackClean) {
  std::string buffer(254, ' ');
  const std::string path = "C:\\strona\\mapa.htm";
  buffer.replace(0, path.size() + 1, path + '\0');
  EXPECT_EQ(TextFromDialogBuffer(buffer), path);
}

TEST(TextFromDialogBufferTest, UntouchedBlankBufferGivesEmptyText) {
  EXPECT_EQ(TextFromDialogBuffer(std::string(254, ' ')), "");
}

TEST(TextFromDialogBufferTest, LongestSavePathFillsTheBuffer) {
  const std::string path = "C:\\" + std::string(251, 'm');  // 254 bytes, NUL is the 255th
  EXPECT_EQ(TextFromDialogBuffer(path + '\0'), path);
}

}  // namespace
}  // namespace zorvitan
