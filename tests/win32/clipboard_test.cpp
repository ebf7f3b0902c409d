#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

#include "platform/win32/code_page.h"
#include "ui/win32/clipboard_writer.h"

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

// What the clipboard says about itself to the clipboard history, the cloud
// clipboard and monitors: whether each of their formats is there, and the
// DWORD the first two hold.
std::string PrivacyMarks() {
  const UINT history = RegisterClipboardFormatA("CanIncludeInClipboardHistory");
  const UINT cloud = RegisterClipboardFormatA("CanUploadToCloudClipboard");
  const UINT monitors = RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing");
  if (!OpenClipboard(nullptr)) return "<not opened>";
  std::string marks;
  for (UINT format : {history, cloud}) {
    HANDLE data = GetClipboardData(format);
    const DWORD* value = data != nullptr ? static_cast<const DWORD*>(GlobalLock(data)) : nullptr;
    marks += value == nullptr ? "none " : std::to_string(*value) + " ";
    if (value != nullptr) GlobalUnlock(data);
  }
  marks += IsClipboardFormatAvailable(monitors) ? "excluded" : "monitored";
  CloseClipboard();
  return marks;
}

// Waits for the thread while answering the messages sent to this one, as the
// program's own message loop does.
void WaitAnswering(std::thread& thread, HANDLE done) {
  while (MsgWaitForMultipleObjects(1, &done, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  thread.join();
}

ClipboardWriter::TextSource Counted(const std::string& text, int* made) {
  return [text, made](std::string* out) {
    ++*made;
    *out = text;
    return true;
  };
}

// Promises a page's text, its bytes counted as they are made, and its letters
// beside it (the page taken to be in the code page).
bool Promise(ClipboardWriter& clipboard, const std::string& text, int* made) {
  return clipboard.SetTextFrom(Counted(text, made), [text](std::string* out) {
    *out = AnsiToUtf8(text);
    return true;
  });
}

TEST(ClipboardTest, PageTextRoundTripsAsBytes) {
  ClipboardWriter clipboard;
  const std::string page = "<title>Za\xBF\xF3\xB3\xE6</title>\r\n<p>tre\x9C\xE6</p>\r\n";
  ASSERT_TRUE(clipboard.SetText(page));
  EXPECT_EQ(ClipboardText(), page);

  // Every page of a run replaces the one before.
  for (int i = 0; i < 20; ++i) {
    ASSERT_TRUE(clipboard.SetText("strona " + std::to_string(i)));
  }
  EXPECT_EQ(ClipboardText(), "strona 19");

  ASSERT_TRUE(clipboard.SetText(""));
  EXPECT_EQ(ClipboardText(), "");
}

TEST(ClipboardTest, TextEndsAtTheFirstNul) {
  ClipboardWriter clipboard;
  ASSERT_TRUE(clipboard.SetText(std::string("przed\0po", 8)));
  EXPECT_EQ(ClipboardText(), "przed");
}

TEST(ClipboardTest, GivenOwnerWindowOwnsTheClipboard) {
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  {
    ClipboardWriter clipboard(window);
    ASSERT_TRUE(clipboard.SetText("z oknem"));
    EXPECT_EQ(GetClipboardOwner(), window);
    EXPECT_EQ(ClipboardText(), "z oknem");
  }
  DestroyWindow(window);
}

TEST(ClipboardTest, FailsWhileAnotherProgramHoldsTheClipboard) {
  ClipboardWriter clipboard;
  ASSERT_TRUE(clipboard.SetText("przed"));

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
  const bool set_while_held = clipboard.SetText("w trakcie");
  SetEvent(release);
  holder.join();
  CloseHandle(opened);
  CloseHandle(release);

  ASSERT_TRUE(holder_opened);
  EXPECT_FALSE(set_while_held);
  EXPECT_EQ(ClipboardText(), "przed");
  EXPECT_TRUE(clipboard.SetText("po"));
  EXPECT_EQ(ClipboardText(), "po");
}

TEST(ClipboardTest, PageTextsStayOutOfHistoryCloudAndMonitors) {
  ClipboardWriter clipboard;
  ASSERT_TRUE(clipboard.SetText("od razu"));
  EXPECT_EQ(PrivacyMarks(), "0 0 excluded");
  int made = 0;
  ASSERT_TRUE(Promise(clipboard,
                      "na \xBF\xB9"
                      "danie",
                      &made));
  EXPECT_EQ(PrivacyMarks(), "0 0 excluded");
  EXPECT_EQ(ClipboardText(),
            "na \xBF\xB9"
            "danie");
}

TEST(ClipboardTest, PromisedTextIsMadeWhenAskedForAndFollowsEveryPage) {
  ClipboardWriter clipboard;
  int made = 0;
  for (int i = 1; i <= 3; ++i) {
    ASSERT_TRUE(Promise(clipboard, "strona " + std::to_string(i), &made));
  }
  EXPECT_EQ(made, 0) << "nobody asked yet";
  EXPECT_EQ(ClipboardText(), "strona 3");
  // Once made, the text is the clipboard's own: the next page replaces it.
  ASSERT_TRUE(Promise(clipboard, "strona 4", &made));
  EXPECT_EQ(ClipboardText(), "strona 4");
  EXPECT_EQ(made, 2);

  // The letters go beside the bytes, made from the page's own encoding: here
  // UTF-8 bytes, which the code page would show as "zaĹĽĂłĹ‚Ä‡".
  ASSERT_TRUE(clipboard.SetTextFrom(Counted("za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87", &made),
                                    Counted("za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87", &made)));
  EXPECT_EQ(ClipboardText(), "za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87");
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE wide = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(GlobalLock(wide))),
            L"za\u017C\u00F3\u0142\u0107");
  GlobalUnlock(wide);
  CloseClipboard();
}

TEST(ClipboardTest, ProgramsAskingAreAnsweredWhilePagesGoOn) {
  ClipboardWriter clipboard;
  int made = 0;
  ASSERT_TRUE(Promise(clipboard, "strona 0", &made));
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::string read;
  std::thread reader([&] {
    read = ClipboardText();
    SetEvent(done);
  });
  // A run answers between pages, not only once it is over.
  bool answered_during_run = false;
  for (int page = 1; page <= 5000 && !answered_during_run; ++page) {
    Promise(clipboard, "strona " + std::to_string(page), &made);
    Sleep(1);
    answered_during_run = WaitForSingleObject(done, 0) == WAIT_OBJECT_0;
  }
  WaitAnswering(reader, done);
  CloseHandle(done);
  EXPECT_TRUE(answered_during_run);
  EXPECT_EQ(read.rfind("strona ", 0), 0u) << read;
}

TEST(ClipboardTest, TheNextPageTakesTheClipboardBackFromAnotherProgram) {
  ClipboardWriter clipboard;
  int made = 0;
  ASSERT_TRUE(Promise(clipboard, "strona 1", &made));
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread other([&] {
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
    SetEvent(done);
  });
  WaitAnswering(other, done);
  CloseHandle(done);
  EXPECT_EQ(ClipboardText(), "<no text>");
  ASSERT_TRUE(Promise(clipboard, "strona 2", &made));
  EXPECT_EQ(ClipboardText(), "strona 2");
}

TEST(ClipboardTest, PromisedTextOutlivesItsOwner) {
  int made = 0;
  {
    ClipboardWriter clipboard;
    ASSERT_TRUE(Promise(clipboard, "bez okna", &made));
  }
  EXPECT_EQ(ClipboardText(), "bez okna");
  EXPECT_EQ(PrivacyMarks(), "0 0 excluded");

  // The owner window goes first, as when the program's window is closed.
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  ClipboardWriter clipboard(window);
  ASSERT_TRUE(Promise(clipboard, "okno zamkni\xEAte", &made));
  DestroyWindow(window);
  EXPECT_EQ(ClipboardText(), "okno zamkni\xEAte");
}

}  // namespace
}  // namespace zorvitan
