#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

#include "platform/win32/os_platform.h"

namespace zorvitan {
namespace {

// The clipboard's CF_TEXT, read as another program would read it.
std::string ClipboardText() {
  if (!OpenClipboard(nullptr)) return "<not opened>";
  std::string text = "<no text>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* chars = static_cast<const char*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

TEST(ClipboardTest, PageTextRoundTripsAsBytes) {
  Win32Platform platform;
  const std::string page = "<title>Za\xBF\xF3\xB3\xE6</title>\r\n<p>tre\x9C\xE6</p>\r\n";
  ASSERT_TRUE(platform.SetClipboardText(page));
  EXPECT_EQ(ClipboardText(), page);

  // Every page of a run replaces the one before.
  for (int i = 0; i < 20; ++i) {
    ASSERT_TRUE(platform.SetClipboardText("strona " + std::to_string(i)));
  }
  EXPECT_EQ(ClipboardText(), "strona 19");

  ASSERT_TRUE(platform.SetClipboardText(""));
  EXPECT_EQ(ClipboardText(), "");
}

TEST(ClipboardTest, TextEndsAtTheFirstNul) {
  Win32Platform platform;
  ASSERT_TRUE(platform.SetClipboardText(std::string("przed\0po", 8)));
  EXPECT_EQ(ClipboardText(), "przed");
}

TEST(ClipboardTest, GivenOwnerWindowOwnsTheClipboard) {
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  {
    Win32Platform platform(window);
    ASSERT_TRUE(platform.SetClipboardText("z oknem"));
    EXPECT_EQ(GetClipboardOwner(), window);
    EXPECT_EQ(ClipboardText(), "z oknem");
  }
  DestroyWindow(window);
}

TEST(ClipboardTest, FailsWhileAnotherProgramHoldsTheClipboard) {
  Win32Platform platform;
  ASSERT_TRUE(platform.SetClipboardText("przed"));

  HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  bool holder_opened = false;
  // The clipboard is held per thread, so the other holder runs on its own.
  std::thread holder([&] {
    holder_opened = OpenClipboard(nullptr) != FALSE;
    SetEvent(opened);
    WaitForSingleObject(release, 10000);
    if (holder_opened) CloseClipboard();
  });
  WaitForSingleObject(opened, 10000);
  const bool set_while_held = platform.SetClipboardText("w trakcie");
  SetEvent(release);
  holder.join();
  CloseHandle(opened);
  CloseHandle(release);

  ASSERT_TRUE(holder_opened);
  EXPECT_FALSE(set_while_held);
  EXPECT_EQ(ClipboardText(), "przed");
  EXPECT_TRUE(platform.SetClipboardText("po"));
  EXPECT_EQ(ClipboardText(), "po");
}

}  // namespace
}  // namespace zorvitan
