// Folder browser: preselection from the browser's callback, the item list freed by the shell's allocator.
#include "export/FolderBrowser.h"

#include <shlobj.h>

#include "platform/win32/UniqueHandle.h"

namespace {

struct ShellItemListTraits {
  static PIDLIST_ABSOLUTE Invalid() { return nullptr; }
  static bool IsValid(PIDLIST_ABSOLUTE list) { return list != nullptr; }
  static void Close(PIDLIST_ABSOLUTE list) { CoTaskMemFree(list); }
};
using UniqueItemList = UniqueHandle<PIDLIST_ABSOLUTE, ShellItemListTraits>;

// The folder can only be selected once the browser's tree exists, which it says with this call.
int CALLBACK OnBrowserEvent(HWND browser, UINT event, LPARAM, LPARAM initial) {
  const auto* folder = reinterpret_cast<const wchar_t*>(initial);
  if (event == BFFM_INITIALIZED && folder && folder[0] != L'\0') {
    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, initial);
  }
  return 0;
}

}  // namespace

bool BrowseForFolder(HWND owner, const wchar_t* title, const wchar_t* initial,
                     wchar_t (&path)[MAX_PATH]) {
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;  // the desktop
  info.lpszTitle = title;
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
  info.lpfn = OnBrowserEvent;
  info.lParam = reinterpret_cast<LPARAM>(initial);
  const UniqueItemList chosen(SHBrowseForFolderW(&info));
  path[0] = L'\0';
  return chosen && SHGetPathFromIDListW(chosen.get(), path) && path[0] != L'\0';
}
