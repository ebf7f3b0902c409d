#include "tests/pickers/dialog_driver.h"

#include <dlgs.h>

namespace zorvitan {
namespace {

ModalDriver* active_driver = nullptr;

struct ThreadDialogSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
  char class_name[16] = {};
  GetClassNameA(window, class_name, sizeof class_name);
  if (lstrcmpA(class_name, "#32770") == 0) PressButton(window, IDCANCEL);
  return TRUE;
}

struct ChildSearch {
  const char* class_name;
  std::vector<std::string>* texts;
};

BOOL CALLBACK CollectChildText(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  char class_name[64] = {};
  GetClassNameA(child, class_name, sizeof class_name);
  if (lstrcmpiA(class_name, search->class_name) == 0) search->texts->push_back(WindowText(child));
  return TRUE;
}

}  // namespace

ModalDriver::ModalDriver(std::function<bool()> step, UINT give_up_ms)
    : step_(std::move(step)), ticks_left_(give_up_ms / 50) {
  active_driver = this;
  timer_ = SetTimer(nullptr, 0, 50, &ModalDriver::OnTick);
}

ModalDriver::~ModalDriver() {
  KillTimer(nullptr, timer_);
  active_driver = nullptr;
}

void CALLBACK ModalDriver::OnTick(HWND, UINT, UINT_PTR, DWORD) {
  if (active_driver != nullptr) active_driver->Tick();
}

void ModalDriver::Tick() {
  if (finished_) return;
  if (ticks_left_-- == 0) {
    timed_out_ = finished_ = true;
    EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0);
    return;
  }
  finished_ = step_();
}

OwnerWindow::OwnerWindow()
    : hwnd_(CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                            200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}

OwnerWindow::~OwnerWindow() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

HWND FindDialogOwnedBy(HWND owner) {
  ThreadDialogSearch search = {owner, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM param) -> BOOL {
        auto* search = reinterpret_cast<ThreadDialogSearch*>(param);
        char class_name[16] = {};
        GetClassNameA(window, class_name, sizeof class_name);
        if (lstrcmpA(class_name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
        if (GetWindow(window, GW_OWNER) != search->owner) return TRUE;
        search->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(length + 1, '\0');
  text.resize(GetWindowTextA(window, &text[0], length + 1));
  return text;
}

std::vector<std::string> ChildTextsOfClass(HWND parent, const char* class_name) {
  std::vector<std::string> texts;
  ChildSearch search = {class_name, &texts};
  EnumChildWindows(parent, CollectChildText, reinterpret_cast<LPARAM>(&search));
  return texts;
}

void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

HWND FileNameEdit(HWND save_dialog) {
  // cmb13 may be a ComboBoxEx whose edit sits one level deeper, inside its combo box.
  HWND outer = GetDlgItem(save_dialog, cmb13);
  if (outer != nullptr) {
    HWND edit = FindWindowExA(outer, nullptr, "Edit", nullptr);
    HWND inner = FindWindowExA(outer, nullptr, "ComboBox", nullptr);
    if (edit == nullptr && inner != nullptr) edit = FindWindowExA(inner, nullptr, "Edit", nullptr);
    if (edit != nullptr) return edit;
  }
  return GetDlgItem(save_dialog, edt1);
}

void TypeInto(HWND edit, const std::string& ansi_text) {
  SetFocus(edit);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  for (unsigned char c : ansi_text) PostMessageA(edit, WM_CHAR, c, 1);
}

ScratchFolder::ScratchFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  static int serial = 0;
  const std::string folder = std::string(temp) + "zorvitan-pick-" +
                             std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
  CreateDirectoryA(folder.c_str(), nullptr);
  char full[MAX_PATH] = {};
  GetLongPathNameA(folder.c_str(), full, MAX_PATH);
  path_ = std::string(full) + "\\";
}

ScratchFolder::~ScratchFolder() {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((path_ + "*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      DeleteFileA((path_ + entry.cFileName).c_str());  // "." and ".." simply fail
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryA(path_.c_str());
}

std::string ScratchFolder::WriteFile(const std::string& name, const std::string& bytes) const {
  const std::string file = path_ + name;
  HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(handle, bytes.data(), bytes.size(), &written, nullptr);
  CloseHandle(handle);
  return file;
}

std::string ReadWholeFile(const std::string& path) {
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(GetFileSize(handle, nullptr), '\0');
  DWORD read = 0;
  ReadFile(handle, &bytes[0], bytes.size(), &read, nullptr);
  CloseHandle(handle);
  bytes.resize(read);
  return bytes;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Ansi(const std::string& utf8) {
  const int wide_length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), utf8.size(), nullptr, 0);
  std::wstring wide(wide_length, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), utf8.size(), &wide[0], wide_length);
  const int length =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
  std::string ansi(length, '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_length, &ansi[0], length, nullptr, nullptr);
  return ansi;
}

}  // namespace zorvitan
