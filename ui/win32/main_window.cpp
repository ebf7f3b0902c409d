// The main window: window creation and message dispatch.
#include "ui/win32/main_window.h"

#include "platform/win32/code_page.h"
#include "ui/win32/dialog_font.h"
#include "ui/win32/frame_container.h"
#include "ui/win32/message_loop.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/twips.h"

namespace zorvitan {
namespace {

constexpr char kClassName[] = "ZorvitanFrmMain";
constexpr char kCaption[] = "Zorvitan";
// Fixed single border: a title bar with system menu and close box only.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

bool RegisterWindowClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXA wc = {};
  if (GetClassInfoExA(instance, kClassName, &wc)) return true;
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_ZORVITAN), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                           LR_DEFAULTCOLOR));
  wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_ZORVITAN), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  return RegisterClassExA(&wc) != 0;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

struct ClassAndStyle {
  const char* class_name;
  DWORD style;
  DWORD ex_style;
};

ClassAndStyle ClassAndStyleFor(ControlKind kind) {
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case ControlKind::kFrame:
      // A container: navigation descends into it, its painting spares its children.
      return {"BUTTON", kChild | BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::kTextBox:
      return {"EDIT", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::kCheckBox:
      return {"BUTTON", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case ControlKind::kCommandButton:
      break;
  }
  return {"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
}

bool IsDescendant(HWND ancestor, HWND window) {
  return window != nullptr && IsChild(ancestor, window);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, Platform& platform, ShellActions actions)
    : instance_(instance), platform_(platform), actions_(std::move(actions)) {}

MainWindow::~MainWindow() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  if (font_owned_) DeleteObject(font_);
}

bool MainWindow::Create() {
  if (!RegisterWindowClass(instance_, WindowProc)) return false;

  const int dpi = ScreenDpi();
  RECT frame = {0, 0, TwipsToPixels(kClientWidthTwips, dpi),
                TwipsToPixels(kClientHeightTwips, dpi)};
  AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;

  RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + (work.right - work.left - width) / 2;
  const int y = work.top + (work.bottom - work.top - height) / 2;

  if (CreateWindowExA(0, kClassName, kCaption, kWindowStyle, x, y, width, height, nullptr, nullptr,
                      instance_, this) == nullptr) {
    return false;
  }
  if (!CreateControls(dpi)) {
    DestroyWindow(hwnd_);
    return false;
  }
  clipboard_.SetOwner(hwnd_);
  font_ = CreateMessageFont(&font_owned_);
  ApplyFontToChildren(hwnd_, font_);
  return true;
}

bool MainWindow::CreateControls(int dpi) {
  const ControlSpec* table = ControlTable();
  for (std::size_t i = 0; i < ControlCount(); ++i) {
    const ControlSpec& spec = table[i];
    HWND parent = spec.container == kNoControl ? hwnd_ : Control(spec.container);
    if (parent == nullptr) return false;
    const ClassAndStyle look = ClassAndStyleFor(spec.kind);
    HWND control =
        CreateWindowExA(look.ex_style, look.class_name, Utf8ToAnsi(spec.caption).c_str(),
                        look.style, TwipsToPixels(spec.left, dpi), TwipsToPixels(spec.top, dpi),
                        TwipsToPixels(spec.width, dpi), TwipsToPixels(spec.height, dpi), parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance_, nullptr);
    if (control == nullptr) return false;
    if (spec.kind == ControlKind::kFrame && !MakeFrameContainer(control)) return false;
    // The text boxes have no length limit of their own.
    if (spec.kind == ControlKind::kTextBox) SendMessageA(control, EM_SETLIMITTEXT, 0, 0);
  }
  return true;
}

void MainWindow::Show(int show_command) {
  ShowWindow(hwnd_, show_command);
  UpdateWindow(hwnd_);
  saved_focus_ = Control(kSiteFolderEdit);
  ::SetFocus(saved_focus_);
}

HWND MainWindow::Control(ControlId id) const {
  const ControlSpec* spec = FindControl(id);
  if (spec == nullptr || hwnd_ == nullptr) return nullptr;
  HWND parent = spec->container == kNoControl ? hwnd_ : Control(spec->container);
  return parent != nullptr ? GetDlgItem(parent, id) : nullptr;
}

bool MainWindow::IsReachable(ControlId id) const {
  for (HWND window = Control(id); window != nullptr && window != hwnd_;
       window = GetParent(window)) {
    if (!IsWindowEnabled(window)) return false;
  }
  return Control(id) != nullptr;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  MainWindow* self;
  if (message == WM_NCCREATE) {
    self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcA(hwnd, message, wparam, lparam);
  }
  return self->HandleMessage(message, wparam, lparam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED) OnClick(LOWORD(wparam));
      return 0;
    case DM_GETDEFID:
      return DefaultButtonId();
    case WM_ACTIVATE:
      OnActivate(LOWORD(wparam) != WA_INACTIVE);
      return 0;
    case WM_CLOSE:
      CloseOrDefer();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd_, message, wparam, lparam);
}

void MainWindow::OnClick(int id) {
  // Esc arrives as IDCANCEL even while the exit button is disabled; a click on a
  // control that is out of reach is dropped.
  if (running_ || !IsReachable(static_cast<ControlId>(id))) return;
  switch (id) {
    case kGenerateButton:
      OnGenerate();
      break;
    case kMapFileButton:
      OnChooseMapFile();
      break;
    case kSiteFolderButton:
      OnChooseSiteFolder();
      break;
    case kWebButton:
      OnOpenWebPage();
      break;
    case kExitButton:
      OnExit();
      break;
  }
}

// Enter presses the push button that has the focus, as in a dialog box.
LRESULT MainWindow::DefaultButtonId() const {
  HWND focus = GetFocus();
  if (!IsDescendant(hwnd_, focus)) return 0;
  if ((SendMessageA(focus, WM_GETDLGCODE, 0, 0) & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON)) ==
      0) {
    return 0;
  }
  return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
}

// Like a dialog box, the window gives the focus back to the control that had
// it when the user switched away.
void MainWindow::OnActivate(bool active) {
  if (!active) {
    HWND focus = GetFocus();
    if (IsDescendant(hwnd_, focus)) saved_focus_ = focus;
    return;
  }
  if (saved_focus_ != nullptr && IsWindow(saved_focus_) && IsWindowEnabled(saved_focus_)) {
    ::SetFocus(saved_focus_);
  }
}

// Closing during a run is remembered: the run stops when it next asks KeepGoing
// and the window goes once OnGenerate has returned.
void MainWindow::CloseOrDefer() {
  if (running_) {
    close_requested_ = true;
    return;
  }
  DestroyWindow(hwnd_);
}

}  // namespace zorvitan
