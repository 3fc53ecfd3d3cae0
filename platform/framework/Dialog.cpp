// Modal and modeless dialog runs and message dispatch.
#include "platform/framework/Dialog.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/framework/DispatchScope.h"
#include "platform/framework/WindowBase.h"

namespace {

// Win16 numbers of the add-string messages, as a template's initialisation data stores them.
constexpr WORD kInitListAdd = 0x0401;
constexpr WORD kInitComboAdd = 0x0403;
constexpr WORD kInitDataType = 240;

// Fills the template's lists from its initialisation data resource, if it has one: records of
// control id, message, length and text, ending with a control id of 0.
void RunInitData(HWND dialog, int templateId) {
  HINSTANCE module = FrameworkInstance();
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(kInitDataType));
  if (!found) return;
  const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found)));
  const DWORD size = SizeofResource(module, found);
  if (!data) return;
  DWORD at = 0;
  while (at + 8 <= size) {
    WORD id, message;
    DWORD length;
    std::memcpy(&id, data + at, 2);
    std::memcpy(&message, data + at + 2, 2);
    std::memcpy(&length, data + at + 4, 4);
    at += 8;
    if (id == 0 || length > size - at) return;
    const char* text = reinterpret_cast<const char*>(data + at);
    at += length;
    const int chars = static_cast<int>(strnlen(text, length));
    std::wstring wide(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, chars, &wide[0], chars);
    const UINT add = message == kInitComboAdd ? CB_ADDSTRING
                     : message == kInitListAdd ? LB_ADDSTRING : 0;
    if (add) SendDlgItemMessageW(dialog, id, add, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
}

}  // namespace

CDialog::~CDialog() { Destroy(); }

INT_PTR CDialog::DoModal() {
  modal_ = true;
  const INT_PTR result = DialogBoxParamW(FrameworkInstance(), MAKEINTRESOURCEW(templateId_), parent_,
                                         DialogProc, reinterpret_cast<LPARAM>(this));
  hwnd_ = nullptr;
  modal_ = false;
  return result;
}

HWND CDialog::Create() {
  if (hwnd_) return hwnd_;
  modal_ = false;
  return CreateDialogParamW(FrameworkInstance(), MAKEINTRESOURCEW(templateId_), parent_, DialogProc,
                            reinterpret_cast<LPARAM>(this));
}

void CDialog::Destroy() {
  if (hwnd_ && !modal_) DestroyWindow(hwnd_);
}

void CDialog::EndDialog(INT_PTR result) {
  if (modal_) {
    ::EndDialog(hwnd_, result);
  } else {
    Destroy();
  }
}

void CDialog::OnCommand(int id, int, HWND) {
  if (id == IDOK) OnOK();
  if (id == IDCANCEL) OnCancel();
}

LRESULT CDialog::OnNotify(int, NMHDR*) { return 0; }

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const DispatchScope scope;
  if (message == WM_INITDIALOG) {
    CDialog* self = reinterpret_cast<CDialog*>(lParam);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    RunInitData(hwnd, self->templateId_);
    return self->OnInitDialog();
  }
  // Messages before WM_INITDIALOG (the font, the frame) find no object and take the defaults.
  CDialog* self = reinterpret_cast<CDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  switch (message) {
    case WM_COMMAND:
      self->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_NOTIFY: {
      NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
      SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, self->OnNotify(static_cast<int>(header->idFrom), header));
      return TRUE;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, DWLP_USER, 0);
      self->hwnd_ = nullptr;
      return FALSE;
    default: {
      INT_PTR result = FALSE;
      if (self->OnMessage(message, wParam, lParam, result)) return result;
      return FALSE;
    }
  }
}
