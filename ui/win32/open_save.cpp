// The save-file picker behind the "..." button of the map file.
#include "ui/win32/open_save.h"

#include <commdlg.h>

#include <vector>

#include "ui/win32/picker_text.h"

namespace zorvitan {
namespace {

// Both name buffers hold 255 bytes: 254 blanks and the terminating NUL. The file
// name buffer starts with a NUL, so the dialog proposes an empty name: handed 254
// blanks as the name, Wine's dialog overruns its path buffer and crashes the
// program when the user presses Save without typing over them.
constexpr DWORD kNameBufferSize = 255;
constexpr DWORD kSaveFlags = OFN_CREATEPROMPT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
static_assert(kSaveFlags == 0x2006, "the dialog asks before creating and before overwriting");

std::vector<char> BlankNameBuffer() {
  std::vector<char> buffer(kNameBufferSize, ' ');
  buffer.back() = '\0';
  return buffer;
}

}  // namespace

std::string ShowSaveDialog(HWND owner, std::string& filter, const std::string& title,
                           const std::string& initial_dir) {
  ConvertFilterToDialogForm(filter);
  std::vector<char> file_name = BlankNameBuffer();
  file_name.front() = '\0';
  std::vector<char> file_title = BlankNameBuffer();

  OPENFILENAMEA request = {};
  // The record as it stood before the fields that later Windows versions appended.
  request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  request.hwndOwner = owner;
  request.hInstance = GetModuleHandleA(nullptr);
  request.lpstrFilter = filter.c_str();  // its own NUL closes the list
  request.nFilterIndex = 0;
  request.lpstrFile = file_name.data();
  request.nMaxFile = kNameBufferSize;
  request.lpstrFileTitle = file_title.data();
  request.nMaxFileTitle = kNameBufferSize;
  request.lpstrInitialDir = initial_dir.c_str();
  request.lpstrTitle = title.c_str();
  request.Flags = kSaveFlags;

  if (!GetSaveFileNameA(&request)) return "";
  // The dialog writes the path and a NUL over the start of the blanks; whatever it did
  // not overwrite must not reach the caller.
  return TextFromDialogBuffer(std::string(file_name.data(), file_name.size()));
}

}  // namespace zorvitan
