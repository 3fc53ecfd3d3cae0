// User input by control id: the messages that typing, choosing and clicking produce.
#include "host/UserInput.h"

#include <cwchar>

#include "resources/WorkstationResources.h"

namespace {

HWND EnabledItem(HWND parent, int id) {
  HWND item = parent ? GetDlgItem(parent, id) : nullptr;
  return item && IsWindowEnabled(item) && IsWindowVisible(item) ? item : nullptr;
}

bool IsComboBox(HWND window) {
  wchar_t name[16] = L"";
  GetClassNameW(window, name, 16);
  return _wcsicmp(name, L"ComboBox") == 0;
}

void Notify(HWND parent, int id, int code, HWND item) {
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(item));
}

BOOL CALLBACK FindBar(HWND window, LPARAM found) {
  if (GetDlgCtrlID(window) != IDD_CAMERA_BAR) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

bool TypeInto(HWND parent, int id, const std::wstring& text) {
  HWND item = EnabledItem(parent, id);
  if (!item) return false;
  const bool combo = IsComboBox(item);
  // Nobody can type into a read-only box (combo boxes give the bit another meaning).
  if (!combo && (GetWindowLongPtrW(item, GWL_STYLE) & ES_READONLY) != 0) return false;
  // An edit box reports the new text itself; a combo box's edit part reports it as typing would.
  SetWindowTextW(item, text.c_str());
  if (combo) Notify(parent, id, CBN_EDITCHANGE, item);
  return true;
}

bool ChooseItem(HWND parent, int id, int index) {
  HWND item = EnabledItem(parent, id);
  if (!item || index < 0 || index >= SendMessageW(item, CB_GETCOUNT, 0, 0)) return false;
  SendMessageW(item, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  Notify(parent, id, CBN_SELCHANGE, item);
  return true;
}

bool ClickButton(HWND parent, int id) {
  HWND item = EnabledItem(parent, id);
  if (!item) return false;
  SendMessageW(item, BM_CLICK, 0, 0);
  return true;
}

HWND FindCameraBar(HWND host) {
  HWND bar = nullptr;
  EnumChildWindows(host, FindBar, reinterpret_cast<LPARAM>(&bar));
  return bar;
}
