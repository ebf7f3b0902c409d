// The main window as designed: window frame, every control's kind, container, caption,
// place and size, the font, and the state at start.
#include <cstring>

#include "tests/gui/main_window_fixture.h"

namespace zorvitan {
namespace {

enum class Kind { kFrame, kTextBox, kButton, kCheckBox };

struct Expected {
  ControlId id;
  Kind kind;
  ControlId container;
  const char* text;              // code page 1250
  int left, top, width, height;  // twips, in the container
};

// In tab order; the places from the window's design, not from the program's table.
const Expected kExpected[] = {
    {kOptionsFrame, Kind::kFrame, kNoControl, "Opcje", 120, 120, 6615, 1935},
    {kSiteFolderFrame, Kind::kFrame, kOptionsFrame, cp1250::kSiteFrame, 120, 240, 3015, 615},
    {kSiteFolderEdit, Kind::kTextBox, kSiteFolderFrame, "", 120, 240, 2295, 285},
    {kSiteFolderButton, Kind::kButton, kSiteFolderFrame, "...", 2520, 240, 375, 255},
    {kMapFileFrame, Kind::kFrame, kOptionsFrame, cp1250::kMapFrame, 3480, 240, 3015, 615},
    {kMapFileEdit, Kind::kTextBox, kMapFileFrame, "", 120, 240, 2295, 285},
    {kMapFileButton, Kind::kButton, kMapFileFrame, "...", 2520, 240, 375, 255},
    {kPatternsFrame, Kind::kFrame, kOptionsFrame, cp1250::kPatternsFrame, 120, 1080, 3015, 615},
    {kPatternsEdit, Kind::kTextBox, kPatternsFrame, "*.htm; *.html; *.php", 120, 240, 2775, 285},
    {kIndexingFrame, Kind::kFrame, kOptionsFrame, "Typ indeksowania", 3480, 1080, 3015, 615},
    {kSkipUntitledCheck, Kind::kCheckBox, kIndexingFrame, cp1250::kCheck, 120, 240, 2655, 255},
    {kGenerateButton, Kind::kButton, kNoControl, cp1250::kGenerate, 120, 2280, 2055, 375},
    {kWebButton, Kind::kButton, kNoControl, "WWW", 2400, 2280, 2055, 375},
    {kExitButton, Kind::kButton, kNoControl, "Koniec", 4680, 2280, 2055, 375},
};

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

void ExpectKind(HWND control, Kind kind, const char* name) {
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  if (kind == Kind::kTextBox) {
    EXPECT_STRCASEEQ(ClassOf(control).c_str(), "Edit") << name;
    EXPECT_EQ(style & ES_MULTILINE, 0) << name;
    EXPECT_EQ(SendMessageA(control, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE) << name;
    return;
  }
  EXPECT_STRCASEEQ(ClassOf(control).c_str(), "Button") << name;
  const LONG type = style & BS_TYPEMASK;
  switch (kind) {
    case Kind::kFrame:
      EXPECT_EQ(type, BS_GROUPBOX) << name;
      EXPECT_NE(GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CONTROLPARENT, 0) << name;
      break;
    case Kind::kCheckBox:
      EXPECT_EQ(type, BS_AUTOCHECKBOX) << name;
      break;
    default:
      EXPECT_EQ(type, BS_PUSHBUTTON) << name;
      break;
  }
}

TEST_F(MainWindowTest, WindowIsAFixedDialogCentredOnTheScreen) {
  char caption[64] = {};
  GetWindowTextA(Window(), caption, sizeof(caption));
  EXPECT_STREQ(caption, "Zorvitan");

  const LONG style = GetWindowLongA(Window(), GWL_STYLE);
  EXPECT_NE(style & WS_SYSMENU, 0);
  EXPECT_NE(style & WS_CAPTION, 0);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
  EXPECT_EQ(GetMenu(Window()), nullptr);
  EXPECT_NE(GetClassLongPtrA(Window(), GCLP_HICON), 0u) << "the window shows the program icon";

  HDC screen = GetDC(nullptr);
  ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
  ReleaseDC(nullptr, screen);
  RECT client;
  GetClientRect(Window(), &client);
  EXPECT_EQ(client.right, 457);   // 6855 twips
  EXPECT_EQ(client.bottom, 190);  // 2850 twips

  RECT work, window;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(Window(), &window);
  EXPECT_NEAR(window.left - work.left, work.right - window.right, 1);
  EXPECT_NEAR(window.top - work.top, work.bottom - window.bottom, 1);
}

TEST_F(MainWindowTest, ControlsHaveTheirKindContainerCaptionAndPlace) {
  for (const Expected& expected : kExpected) {
    const char* name = FindControl(expected.id)->name;
    HWND control = Control(expected.id);
    ASSERT_NE(control, nullptr) << name;
    ExpectKind(control, expected.kind, name);
    HWND container = expected.container == kNoControl ? Window() : Control(expected.container);
    EXPECT_EQ(GetParent(control), container) << name;
    EXPECT_EQ(TextOf(expected.id), expected.text) << name;
    EXPECT_TRUE(IsWindowVisible(control)) << name;
    EXPECT_TRUE(IsWindowEnabled(control)) << name;

    // 15 twips to the pixel at 96 DPI, in the container's client area.
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, container, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left * 15, expected.left) << name;
    EXPECT_EQ(rect.top * 15, expected.top) << name;
    EXPECT_EQ((rect.right - rect.left) * 15, expected.width) << name;
    EXPECT_EQ((rect.bottom - rect.top) * 15, expected.height) << name;
  }
}

// The page list and the file list are the run's own storage, not windows: nothing
// else is on the window, so nothing hidden can ever show.
TEST_F(MainWindowTest, WindowHoldsOnlyTheDesignedControlsAllWithTheMessageFont) {
  struct Census {
    int count = 0;
    HFONT font = nullptr;
    bool same_font = true;
    bool any_list = false;
  } census;
  EnumChildWindows(
      Window(),
      [](HWND child, LPARAM data) -> BOOL {
        auto* c = reinterpret_cast<Census*>(data);
        ++c->count;
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
        if (c->font == nullptr) c->font = font;
        c->same_font = c->same_font && font == c->font;
        char name[64] = {};
        GetClassNameA(child, name, sizeof(name));
        c->any_list = c->any_list || _stricmp(name, "ListBox") == 0;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&census));
  EXPECT_EQ(census.count, 14);
  EXPECT_FALSE(census.any_list);
  EXPECT_TRUE(census.same_font);
  ASSERT_NE(census.font, nullptr);

  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof(metrics);
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
  LOGFONTA used = {};
  GetObjectA(census.font, sizeof(used), &used);
  EXPECT_STREQ(used.lfFaceName, metrics.lfMessageFont.lfFaceName);
  EXPECT_EQ(used.lfHeight, metrics.lfMessageFont.lfHeight);
}

TEST_F(MainWindowTest, StartsWithDefaultsAndTheFocusInTheSiteFolderField) {
  EXPECT_EQ(GetFocus(), Control(kSiteFolderEdit));
  EXPECT_EQ(TextOf(kSiteFolderEdit), "");
  EXPECT_EQ(TextOf(kMapFileEdit), "");
  EXPECT_EQ(TextOf(kPatternsEdit), "*.htm; *.html; *.php");
  EXPECT_EQ(main_->SkipUntitled(), 0);
}

TEST_F(MainWindowTest, TabVisitsTheControlsInOrderAndComesBackToTheSiteFolderField) {
  const ControlId expected[] = {kSiteFolderButton, kMapFileEdit,       kMapFileButton,
                                kPatternsEdit,     kSkipUntitledCheck, kGenerateButton,
                                kWebButton,        kExitButton,        kSiteFolderEdit};
  ASSERT_EQ(GetFocus(), Control(kSiteFolderEdit));
  for (ControlId next : expected) {
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), Control(next)) << "expected " << FindControl(next)->name;
  }
}

}  // namespace
}  // namespace zorvitan
