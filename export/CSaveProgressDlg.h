// The modeless progress dialog of sequence saving, with its Abort button.
#pragma once

#include <cstdint>

#include "platform/framework/Dialog.h"

class CSaveProgressDlg : public CDialog {
 public:
  CSaveProgressDlg(HWND owner, UINT messageId);

  // Creates the dialog over its owner and shows it at once; false when it cannot be created.
  bool Create(bool abortable);
  void SetProgressText(UINT stringId, int a, int b);
  // Bar at i of n, then lets pending messages (Abort among them) through.
  void SetProgress(std::uint32_t i, std::uint32_t n);
  bool IsAborted() const { return aborted_; }

 protected:
  BOOL OnInitDialog() override;
  void OnCommand(int id, int code, HWND control) override;

 private:
  HWND owner_;
  UINT messageId_;
  bool abortable_ = false;
  bool aborted_ = false;
};
