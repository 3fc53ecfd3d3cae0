// Base of every dialog, modal or modeless: runs a dialog template and dispatches its messages to
// On... members.
#pragma once

#include <windows.h>

class CDialog {
 public:
  CDialog(int templateId, HWND parent) : templateId_(templateId), parent_(parent) {}
  virtual ~CDialog();
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  // Runs the dialog from the framework module's template 'templateId'; returns the result given
  // to EndDialog, or -1 when the dialog cannot be created.
  INT_PTR DoModal();
  // Creates the dialog modeless (a child window when its template has the child style); null
  // when it cannot be created. It lives until EndDialog, Destroy, its parent's end or the object's.
  HWND Create();
  void Destroy();

  HWND Handle() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

 protected:
  // Return FALSE when the handler has set the focus itself.
  virtual BOOL OnInitDialog() { return TRUE; }
  // Default: the OK and Cancel commands end the dialog through OnOK and OnCancel.
  virtual void OnCommand(int id, int code, HWND control);
  // The value is the notification's result (DWLP_MSGRESULT).
  virtual LRESULT OnNotify(int id, NMHDR* header);
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  // Any other message; true when handled, with the dialog procedure's result in `result`.
  virtual bool OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

  // Ends a modal run with the result; a modeless dialog's window is destroyed instead.
  void EndDialog(INT_PTR result);
  // The owner or parent of a dialog not created yet.
  void SetParentWindow(HWND parent) { parent_ = parent; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  int templateId_;
  HWND parent_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
};
