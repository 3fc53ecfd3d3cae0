// The region-of-interest editor: the sensor picture with the region to drag, and four boxes for
// origin and size that stay in step with it.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/framework/Dialog.h"
#include "ui/CImageWnd.h"
#include "ui/RoiPicture.h"

class CRoiDlg : public CDialog {
 public:
  explicit CRoiDlg(HWND owner);

  // Before the dialog runs: the region and sensor size, the depth, and the current frame, which
  // is laid into a sensor-sized picture at the region's place.
  void SetImage(const std::int32_t (&region)[kRoiValues], std::uint32_t depth, const RoiFrame& frame);
  // After OK: the region as edited, and the sensor size.
  void GetRegion(std::int32_t (&region)[kRoiValues]) const;

 protected:
  BOOL OnInitDialog() override;
  void OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void OnOriginChanged(int axis);
  void OnSizeChanged(int axis);
  void OnReset();
  void OnRoiChanged();
  void FillBoxes();
  void ShowRegion();

  std::int32_t region_[kRoiValues]{};
  std::vector<std::uint8_t> picture_;
  std::uint32_t depth_ = 8;
  CImageWnd image_;
};
