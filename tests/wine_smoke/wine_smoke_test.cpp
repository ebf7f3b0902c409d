// Under Wine the test programs see Windows as the program will: the Polish 8-bit code page and
// real windows on a display, here a plain edit control that keeps Polish letters.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// The program's own texts are UTF-8 in the source; windows get them in the 8-bit code page.
std::string ToAnsi(const char* utf8) {
  wchar_t wide[256];
  int wide_len = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 256);
  char ansi[256];
  int ansi_len = WideCharToMultiByte(CP_ACP, 0, wide, wide_len, ansi, 256, nullptr, nullptr);
  return ansi_len > 0 ? std::string(ansi, ansi_len - 1) : std::string();
}

TEST(WineSmoke, AnsiCodePageIsPolish) { EXPECT_EQ(GetACP(), 1250u); }

TEST(WineSmoke, PolishLettersAreOneByteEach) {
  // "ż" is 0xBF and "ł" is 0xB3 in code page 1250.
  EXPECT_EQ(ToAnsi("żół"), "\xBF\xF3\xB3");
}

class EditControl : public testing::Test {
 protected:
  void SetUp() override {
    frame_ = CreateWindowExA(0, "STATIC", "Zorvitan", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                             CW_USEDEFAULT, 400, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(frame_, nullptr) << "no window: is there a display?";
    edit_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                            10, 10, 300, 24, frame_, nullptr, nullptr, nullptr);
    ASSERT_NE(edit_, nullptr);
    ShowWindow(frame_, SW_SHOW);
  }
  void TearDown() override {
    if (frame_) DestroyWindow(frame_);
  }

  HWND frame_ = nullptr;
  HWND edit_ = nullptr;
};

TEST_F(EditControl, KeepsPolishText) {
  const std::string text = ToAnsi("Zażółć gęślą jaźń");
  ASSERT_EQ(text.size(), 17u);
  ASSERT_TRUE(SetWindowTextA(edit_, text.c_str()));

  char read_back[64] = {};
  EXPECT_EQ(GetWindowTextA(edit_, read_back, sizeof read_back), 17);
  EXPECT_EQ(std::string(read_back), text);

  // The control holds the letters themselves, not just the bytes.
  wchar_t wide[64] = {};
  GetWindowTextW(edit_, wide, 64);
  EXPECT_EQ(std::wstring(wide), L"Za\u017c\u00f3\u0142\u0107 g\u0119\u015bl\u0105 ja\u017a\u0144");
}

}  // namespace
