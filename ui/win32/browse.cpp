// The folder picker behind the "..." button of the site folder.
#include "ui/win32/browse.h"

#include <objbase.h>
#include <shlobj.h>

#include "ui/win32/picker_text.h"

namespace zorvitan {
namespace {

// The shell's browser needs COM on the calling thread; this keeps whatever the
// thread already had and undoes only what it set up itself.
class ComForThisCall {
 public:
  ComForThisCall() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComForThisCall() {
    if (initialized_) CoUninitialize();
  }
  ComForThisCall(const ComForThisCall&) = delete;
  ComForThisCall& operator=(const ComForThisCall&) = delete;

 private:
  bool initialized_;
};

}  // namespace

std::string BrowseForFolderPath(HWND owner, const std::string& title) {
  ComForThisCall com;

  BROWSEINFOA request = {};
  request.hwndOwner = owner;
  request.pidlRoot = nullptr;        // the whole namespace from the desktop down
  request.pszDisplayName = nullptr;  // the display name is not wanted
  request.lpszTitle = title.c_str();
  request.ulFlags = BIF_RETURNONLYFSDIRS;
  request.lpfn = nullptr;  // no callback: nothing is preselected

  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&request);
  if (chosen == nullptr) return "";  // cancelled

  // Left all NUL when the item has no file-system path, which then reads as "".
  char path[MAX_PATH] = {};
  SHGetPathFromIDListA(chosen, path);
  CoTaskMemFree(chosen);
  return CutAtFirstNul(std::string(path, MAX_PATH));
}

}  // namespace zorvitan
