// The About box: the control's icon, what it is, and its notice.
#pragma once

#include "platform/framework/Dialog.h"
#include "resources/ControlResources.h"

class CSelvarAboutDlg : public CDialog {
 public:
  // Modal without a parent window, whatever hosts the control.
  CSelvarAboutDlg() : CDialog(IDD_ABOUTBOX_SELVAR, nullptr) {}
};
