// Progress dialog creation, its texts and bar, and the abort request.
#include "export/CSaveProgressDlg.h"

#include <commctrl.h>

#include <cstdio>
#include <cwchar>

#include "platform/framework/PumpMessages.h"
#include "platform/framework/WindowBase.h"
#include "resources/CommandIds.h"

namespace {

constexpr int kBarRange = 1000;

void CentreOver(HWND window, HWND owner) {
  RECT area;
  if (owner) {
    GetWindowRect(owner, &area);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  RECT own;
  GetWindowRect(window, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  SetWindowPos(window, nullptr, (area.left + area.right - width) / 2,
               (area.top + area.bottom - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

}  // namespace

CSaveProgressDlg::CSaveProgressDlg(HWND owner, UINT messageId)
    : CDialog(IDD_SAVE_PROGRESS, owner), owner_(owner), messageId_(messageId) {}

bool CSaveProgressDlg::Create(bool abortable) {
  abortable_ = abortable;
  HWND dialog = CDialog::Create();
  if (!dialog) return false;
  CentreOver(dialog, owner_);
  ShowWindow(dialog, SW_SHOW);
  UpdateWindow(dialog);
  return true;
}

BOOL CSaveProgressDlg::OnInitDialog() {
  wchar_t text[256] = L"";
  LoadStringW(FrameworkInstance(), messageId_, text, 256);
  SetDlgItemTextW(Handle(), IDC_SAVE_MESSAGE, text);
  SendDlgItemMessageW(Handle(), IDC_SAVE_PROGRESS_BAR, PBM_SETRANGE32, 0, kBarRange);
  SendDlgItemMessageW(Handle(), IDC_SAVE_PROGRESS_BAR, PBM_SETPOS, 0, 0);
  EnableWindow(Item(IDC_ABORT_SAVE), abortable_);
  aborted_ = false;
  return TRUE;
}

void CSaveProgressDlg::SetProgressText(UINT stringId, int a, int b) {
  wchar_t format[256] = L"";
  LoadStringW(FrameworkInstance(), stringId, format, 256);
  wchar_t text[300];
  std::swprintf(text, 300, format, a, b);
  SetDlgItemTextW(Handle(), IDC_SAVE_MESSAGE, text);
  UpdateWindow(Handle());
}

void CSaveProgressDlg::SetProgress(std::uint32_t i, std::uint32_t n) {
  // 64-bit, so a long series does not wrap the product; the caller never passes n = 0.
  const std::uint64_t position = n ? std::uint64_t{i} * kBarRange / n : 0;
  SendDlgItemMessageW(Handle(), IDC_SAVE_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  PumpMessages();
}

void CSaveProgressDlg::OnCommand(int id, int code, HWND) {
  if (id == IDC_ABORT_SAVE && code == BN_CLICKED) aborted_ = true;
}
