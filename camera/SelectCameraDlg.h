// The Select Camera dialog: lists the enumerated cameras and lets the operator open one.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "camera/CameraSelection.h"
#include "platform/framework/Dialog.h"
#include "platform/win32/ImageList.h"


class CSelectCameraDlg : public CDialog {
 public:
  // count is taken as at most ten; the entries must outlive the dialog.
  CSelectCameraDlg(const CameraEnumEntry* entries, int count, HWND parent);

  // After OK: the chosen row, always inside 0 to count - 1; -1 before the dialog ran.
  int SelectedIndex() const { return selected_; }

 protected:
  BOOL OnInitDialog() override;
  LRESULT OnNotify(int id, NMHDR* header) override;

 private:
  bool IsRow(int index) const { return index >= 0 && index < count_; }
  void CreateImageList();
  void InsertColumns();
  void InsertRow(int index);

  const CameraEnumEntry* entries_;
  int count_;
  int selected_ = -1;
  HWND list_ = nullptr;
  HWND open_ = nullptr;
  UniqueImageList images_;
};

// Lets the operator pick through the dialog, owned by parent.
class DialogCameraPicker : public CameraPicker {
 public:
  explicit DialogCameraPicker(HWND parent) : parent_(parent) {}
  int Pick(const CameraEnumEntry* entries, int count) override;

 private:
  HWND parent_;
};
