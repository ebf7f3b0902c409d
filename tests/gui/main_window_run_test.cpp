// The generate button driving a whole run through the real window: validation
// messages and focus, the map file, the closing message, the clipboard, and
// closing the window while the run walks the site or reads its pages.
#include <atomic>
#include <thread>

#include "tests/gui/main_window_fixture.h"
#include "tests/support/temp_folder.h"

namespace zorvitan {
namespace {

using testing::ReadWholeFile;
using testing::TempFolder;

constexpr char kUntitledPage[] = "<html>\r\n<body>b</body>\r\n</html>\r\n";

// Whether a temporary file of the new map lies beside it: the pages are being read.
bool TemporaryExists(const std::string& map) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((map + ".~zv*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

std::string ClipboardText(HWND owner) {
  std::string text = "<unavailable>";
  if (!OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* locked = static_cast<const char*>(GlobalLock(data))) {
      text = locked;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

class MainWindowRunTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    site_ = temp_.MakeFolder("strona");
    temp_.Write("strona\\index.htm",
                "<html><head><title>Start</title></head>\r\n<body></body></html>\r\n");
    temp_.MakeFolder("strona\\dzia\xB3");
    temp_.Write("strona\\dzia\xB3\\b.htm", kUntitledPage);
    map_ = temp_.folder() + "mapa.htm";
  }

  void ExpectOneBox(const std::string& text, UINT style, const std::string& title) {
    ASSERT_EQ(shell_.boxes.size(), 1u);
    EXPECT_EQ(shell_.boxes[0].text, text);
    EXPECT_EQ(shell_.boxes[0].style, style);
    EXPECT_EQ(shell_.boxes[0].title, title);
    EXPECT_EQ(shell_.boxes[0].owner, Window());
    // What the real box showed.
    ASSERT_EQ(box_closer_.boxes().size(), 1u);
    EXPECT_EQ(box_closer_.boxes()[0].text, text);
    EXPECT_EQ(box_closer_.boxes()[0].title, title);
    EXPECT_EQ(box_closer_.boxes()[0].owner, Window());
  }

  void ExpectAllEnabled() {
    for (ControlId id : kDisabledDuringRun) {
      EXPECT_TRUE(IsWindowEnabled(Control(id))) << FindControl(id)->name;
    }
  }

  TempFolder temp_;
  std::string site_;  // ends in a backslash
  std::string map_;
};

TEST_F(MainWindowRunTest, WritesTheMapAndReportsThePagesFound) {
  const std::string typed = site_.substr(0, site_.size() - 1);
  main_->SetText(Field::kSiteFolder, typed);
  main_->SetText(Field::kMapFile, map_);
  Click(kGenerateButton);

  ExpectOneBox(
      "Sko\xF1"
      "czy\xB3"
      "em generowanie mapy serwisu\r\nZnalaz\xB3"
      "em: 2 plik\xF3w",
      MB_ICONINFORMATION, "Zorvitan");
  EXPECT_FALSE(shell_.boxes[0].generate_enabled) << "controls are enabled only after the box";
  EXPECT_EQ(TextOf(kSiteFolderEdit), site_);
  EXPECT_EQ(ReadWholeFile(map_), "<h1>" + site_ + "</h1>\r\n" +
                                     "<br><a href=\"index.htm\">Start</a>\r\n" + "<h1>" + site_ +
                                     "dzia\xB3\\</h1>\r\n" +
                                     "<br><a href=\"dzia\xB3\\b.htm\">#bez tytu\xB3u#</a>\r\n");
  EXPECT_EQ(ClipboardText(Window()), kUntitledPage);
  ExpectAllEnabled();
  EXPECT_EQ(GetFocus(), Control(kGenerateButton));
}

TEST_F(MainWindowRunTest, EachFailedCheckShowsItsMessageAndFocusesItsField) {
  struct Case {
    std::string text1, text2, text3;
    std::string message;
    ControlId focus;
  };
  const std::string missing_folder = temp_.folder() + "brak";
  const std::string map_in_missing_folder = temp_.folder() + "brak\\mapa.htm";
  const Case cases[] = {
      {"", "", "", "Podaj folder w kt\xF3rym trzymasz stron\xEA WWW", kSiteFolderEdit},
      {site_, "", "*.htm", "Podaj nazw\xEA pliku z wygenerowan\xB9 map\xB9 strony", kMapFileEdit},
      {site_, map_, "",
       "Wpisz rozszerzenia plik\xF3w jaki program ma bra\xE6 pod uwag\xEA, oddziel je "
       "\x9Crednikiem np. wpisz:\r\n*.htm; *.html; *.php; *.shtm",
       kPatternsEdit},
      {site_, map_in_missing_folder, "*.htm",
       "Nie mog\xEA utworzy\xE6 pliku: " + map_in_missing_folder, kMapFileEdit},
      {missing_folder, map_, "*.htm", "Nie otworzy\xE6 katalogu: " + missing_folder,
       kSiteFolderEdit},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    shell_.boxes.clear();
    const std::size_t shown_before = box_closer_.boxes().size();
    main_->SetText(Field::kSiteFolder, c.text1);
    main_->SetText(Field::kMapFile, c.text2);
    main_->SetText(Field::kPatterns, c.text3);
    SetFocus(Control(kGenerateButton));
    Click(kGenerateButton);

    ASSERT_EQ(shell_.boxes.size(), 1u);
    EXPECT_EQ(shell_.boxes[0].text, c.message);
    EXPECT_EQ(shell_.boxes[0].style, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(shell_.boxes[0].title, cp1250::kErrorTitle);
    EXPECT_TRUE(shell_.boxes[0].generate_enabled) << "nothing is disabled before the checks pass";
    EXPECT_EQ(box_closer_.boxes().size(), shown_before + 1);
    EXPECT_EQ(GetFocus(), Control(c.focus));
    EXPECT_EQ(TextOf(kSiteFolderEdit), c.text1) << "a failed check leaves the folder as typed";
    ExpectAllEnabled();
  }
}

// A page saved in UTF-8: its title reaches the map in the code page, and a
// paste shows its letters, not the code page's reading of its bytes.
TEST_F(MainWindowRunTest, AUtf8PageIsTitledInTheCodePageAndPastesItsLetters) {
  const std::string page =
      "<meta charset=\"utf-8\"><title>\xC5\xBAr\xC3\xB3"
      "d\xC5\x82o \xCE\xA9</title>\r\n";
  const std::string site = temp_.MakeFolder("utf");
  temp_.Write("utf\\a.htm", page);
  main_->SetText(Field::kSiteFolder, site);
  main_->SetText(Field::kMapFile, map_);
  Click(kGenerateButton);

  EXPECT_EQ(ReadWholeFile(map_),
            "<h1>" + site + "</h1>\r\n<br><a href=\"a.htm\">\x9Fr\xF3" + "d\xB3o &#937;</a>\r\n");
  EXPECT_EQ(ClipboardText(Window()), page);
  ASSERT_TRUE(OpenClipboard(Window()));
  HANDLE wide = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(GlobalLock(wide))),
            L"<meta charset=\"utf-8\"><title>\u017Ar\u00F3d\u0142o \u03A9</title>\r\n");
  GlobalUnlock(wide);
  CloseClipboard();
}

TEST_F(MainWindowRunTest, ClosingTheWindowDuringARunKeepsTheOldMapAndEndsTheProgram) {
  temp_.Write("mapa.htm", "stara mapa\r\n");
  main_->SetText(Field::kSiteFolder, site_);
  main_->SetText(Field::kMapFile, map_);
  // Waits in the queue until the run first asks whether to go on.
  PostMessageA(Window(), WM_CLOSE, 0, 0);
  Click(kGenerateButton);

  EXPECT_EQ(Window(), nullptr);
  EXPECT_TRUE(shell_.boxes.empty());
  EXPECT_EQ(ReadWholeFile(map_), "stara mapa\r\n");
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST_F(MainWindowRunTest, ClosingTheWindowWhilePagesAreReadEndsTheProgramAndKeepsTheOldMap) {
  for (int i = 0; i < 3000; ++i) {
    temp_.Write("strona\\p" + std::to_string(i) + ".htm", "<title>P</title>");
  }
  temp_.Write("mapa.htm", "stara mapa\r\n");
  main_->SetText(Field::kSiteFolder, site_);
  main_->SetText(Field::kMapFile, map_);
  // The close box is pressed once the new map's temporary file shows that the
  // walk is over and the pages are being read.
  const HWND window = Window();
  std::atomic<bool> run_over{false}, closed_while_reading{false};
  std::thread closer([&] {
    while (!run_over) {
      if (TemporaryExists(map_)) {
        closed_while_reading = PostMessageA(window, WM_CLOSE, 0, 0) != 0;
        return;
      }
      Sleep(1);
    }
  });
  Click(kGenerateButton);
  run_over = true;
  closer.join();

  ASSERT_TRUE(closed_while_reading) << "the run ended before the close box was pressed";
  EXPECT_EQ(Window(), nullptr);
  EXPECT_TRUE(shell_.boxes.empty());
  EXPECT_EQ(ReadWholeFile(map_), "stara mapa\r\n");
  EXPECT_FALSE(TemporaryExists(map_));
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

// The run reads its fields once: a field changed while it walks the site (the
// window answers its messages between folders) changes nothing of this run.
TEST_F(MainWindowRunTest, AFieldChangedDuringARunLeavesTheRunAsItStarted) {
  for (int i = 0; i < 300; ++i) temp_.Write("strona\\d" + std::to_string(i) + ".htm", "");
  for (int i = 0; i < 300; ++i) {
    const std::string folder = "strona\\f" + std::to_string(i);
    temp_.MakeFolder(folder);
    temp_.Write(folder + "\\p.htm", "");
  }
  main_->SetText(Field::kSiteFolder, site_);
  main_->SetText(Field::kMapFile, map_);
  const std::string other = temp_.folder() + "inna.htm";
  const HWND map_field = Control(kMapFileEdit);
  // The check of the inputs creates the empty map: the walk begins.
  std::atomic<bool> sent{false}, changed_before_commit{false};
  std::thread typist([&] {
    while (GetFileAttributesA(map_.c_str()) == INVALID_FILE_ATTRIBUTES) Sleep(1);
    DWORD_PTR unused;
    SendMessageTimeoutA(map_field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(other.c_str()),
                        SMTO_NORMAL, 10000, &unused);
    changed_before_commit = ReadWholeFile(map_).empty();
    sent = true;
  });
  Click(kGenerateButton);
  while (!sent) {  // answers the typist if the run did not
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(1);
  }
  typist.join();

  EXPECT_TRUE(changed_before_commit) << "the field changed only after the run";
  EXPECT_EQ(TextOf(kMapFileEdit), other);
  EXPECT_EQ(ReadWholeFile(map_).rfind("<h1>" + site_ + "</h1>\r\n", 0), 0u);
  EXPECT_EQ(GetFileAttributesA(other.c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_EQ(shell_.boxes.size(), 1u);
  EXPECT_NE(shell_.boxes[0].text.find(": 602 plik"), std::string::npos) << shell_.boxes[0].text;
}

}  // namespace
}  // namespace zorvitan
