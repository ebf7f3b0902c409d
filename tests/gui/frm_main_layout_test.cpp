// frmMain as designed: window frame, every control's kind, container, caption,
// place and size, the font, and the state at start.
#include <cstring>

#include "tests/gui/frm_main_fixture.h"

namespace zorvitan {
namespace {

enum class Kind { kFrame, kTextBox, kButton, kCheckBox };

struct Expected {
  ControlId id;
  Kind kind;
  ControlId container;
  const char* text;  // code page 1250
  RECT pixels;       // left, top, right, bottom at 96 DPI, in the container's client area
};

// In tab order. 15 twips to the pixel at 96 DPI.
const Expected kExpected[] = {
    {kFrame5, Kind::kFrame, kNoControl, "Opcje", {8, 8, 8 + 441, 8 + 129}},
    {kFrame3, Kind::kFrame, kFrame5, cp1250::kSiteFrame, {8, 16, 8 + 201, 16 + 41}},
    {kText1, Kind::kTextBox, kFrame3, "", {8, 16, 8 + 153, 16 + 19}},
    {kCommand3, Kind::kButton, kFrame3, "...", {168, 16, 168 + 25, 16 + 17}},
    {kFrame2, Kind::kFrame, kFrame5, cp1250::kMapFrame, {232, 16, 232 + 201, 16 + 41}},
    {kText2, Kind::kTextBox, kFrame2, "", {8, 16, 8 + 153, 16 + 19}},
    {kCommand2, Kind::kButton, kFrame2, "...", {168, 16, 168 + 25, 16 + 17}},
    {kFrame4, Kind::kFrame, kFrame5, cp1250::kPatternsFrame, {8, 72, 8 + 201, 72 + 41}},
    {kText3, Kind::kTextBox, kFrame4, "*.htm; *.html; *.php", {8, 16, 8 + 185, 16 + 19}},
    {kFrame1, Kind::kFrame, kFrame5, "Typ indeksowania", {232, 72, 232 + 201, 72 + 41}},
    {kCheck1, Kind::kCheckBox, kFrame1, cp1250::kCheck, {8, 16, 8 + 177, 16 + 17}},
    {kCommand1, Kind::kButton, kNoControl, cp1250::kGenerate, {8, 152, 8 + 137, 152 + 25}},
    {kCommand4, Kind::kButton, kNoControl, "WWW", {160, 152, 160 + 137, 152 + 25}},
    {kCommand5, Kind::kButton, kNoControl, "Koniec", {312, 152, 312 + 137, 152 + 25}},
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
    case Kind::kCheckBox: EXPECT_EQ(type, BS_AUTOCHECKBOX) << name; break;
    default: EXPECT_EQ(type, BS_PUSHBUTTON) << name; break;
  }
}

TEST_F(FrmMainTest, WindowIsAFixedDialogCentredOnTheScreen) {
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
  EXPECT_EQ(client.right, 457);  // 6855 twips
  EXPECT_EQ(client.bottom, 190);  // 2850 twips

  RECT work, window;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(Window(), &window);
  EXPECT_NEAR(window.left - work.left, work.right - window.right, 1);
  EXPECT_NEAR(window.top - work.top, work.bottom - window.bottom, 1);
}

TEST_F(FrmMainTest, ControlsHaveTheirKindContainerCaptionAndPlace) {
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

    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, container, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, expected.pixels.left) << name;
    EXPECT_EQ(rect.top, expected.pixels.top) << name;
    EXPECT_EQ(rect.right, expected.pixels.right) << name;
    EXPECT_EQ(rect.bottom, expected.pixels.bottom) << name;
  }
}

// The page list and the file list are the run's own storage, not windows: nothing
// else is on the window, so nothing hidden can ever show.
TEST_F(FrmMainTest, WindowHoldsOnlyTheDesignedControlsAllWithTheMessageFont) {
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

TEST_F(FrmMainTest, StartsWithDefaultsAndTheFocusInText1) {
  EXPECT_EQ(GetFocus(), Control(kText1));
  EXPECT_EQ(TextOf(kText1), "");
  EXPECT_EQ(TextOf(kText2), "");
  EXPECT_EQ(TextOf(kText3), "*.htm; *.html; *.php");
  EXPECT_EQ(frm_->Check1(), 0);
  EXPECT_EQ(frm_->run().LastFolder, "");
}

TEST_F(FrmMainTest, TabVisitsTheControlsInOrderAndComesBackToText1) {
  const ControlId expected[] = {kCommand3, kText2,    kCommand2, kText3, kCheck1,
                                kCommand1, kCommand4, kCommand5, kText1};
  ASSERT_EQ(GetFocus(), Control(kText1));
  for (ControlId next : expected) {
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), Control(next)) << "expected " << FindControl(next)->name;
  }
}

}  // namespace
}  // namespace zorvitan
