// Modal and modeless dialog runs and message dispatch.
#include "platform/framework/Dialog.h"

#include "platform/framework/NestedLoop.h"
#include "platform/framework/WindowBase.h"

CDialog::~CDialog() { Destroy(); }

INT_PTR CDialog::DoModal() {
  const NestedLoopScope nested;
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
  if (message == WM_INITDIALOG) {
    CDialog* self = reinterpret_cast<CDialog*>(lParam);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
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
