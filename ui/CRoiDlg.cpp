// Region editor dialog: the boxes' corrections, Reset, and the image window's drag reports.
#include "ui/CRoiDlg.h"

#include <algorithm>

#include "platform/framework/DialogBoxes.h"
#include "resources/RoiEditorResources.h"

namespace {

enum RegionValue { kX0, kY0, kWidth, kHeight, kSensorWidth, kSensorHeight };

// Per axis (0 horizontal, 1 vertical): the origin and size boxes.
constexpr int kOriginBox[2] = {IDC_ROI_X0, IDC_ROI_Y0};
constexpr int kSizeBox[2] = {IDC_ROI_WIDTH, IDC_ROI_HEIGHT};

}  // namespace

CRoiDlg::CRoiDlg(HWND owner) : CDialog(IDD_ROI_EDITOR, owner) {}

void CRoiDlg::SetImage(const std::int32_t (&region)[kRoiValues], std::uint32_t depth,
                       const RoiFrame& frame) {
  std::copy(region, region + kRoiValues, region_);
  depth_ = depth;
  picture_ = BuildRoiPicture(region_[kX0], region_[kY0], region_[kSensorWidth],
                             region_[kSensorHeight], depth, frame);
}

void CRoiDlg::GetRegion(std::int32_t (&region)[kRoiValues]) const {
  std::copy(region_, region_ + kRoiValues, region);
}

BOOL CRoiDlg::OnInitDialog() {
  FillBoxes();
  HWND placeholder = Item(IDC_ROI_PICTURE);
  RECT rect{};
  GetWindowRect(placeholder, &rect);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&rect), 2);
  ShowWindow(placeholder, SW_HIDE);
  image_.Create(region_, depth_, picture_.empty() ? nullptr : picture_.data(), rect, Handle(),
                IDC_ROI_PICTURE);
  return TRUE;
}

void CRoiDlg::FillBoxes() {
  const int boxes[kRoiValues] = {IDC_ROI_X0,    IDC_ROI_Y0,           IDC_ROI_WIDTH,
                                 IDC_ROI_HEIGHT, IDC_ROI_SENSOR_WIDTH, IDC_ROI_SENSOR_HEIGHT};
  for (int i = 0; i < kRoiValues; ++i) WriteNumberBox(Handle(), boxes[i], region_[i]);
}

void CRoiDlg::ShowRegion() {
  if (!image_.Handle()) return;  // the boxes are filled before the window exists
  image_.SetRegion(region_);
  image_.Invalidate(false);
}

void CRoiDlg::OnCommand(int id, int code, HWND control) {
  if (code == EN_CHANGE) {
    for (int axis = 0; axis < 2; ++axis) {
      if (id == kOriginBox[axis]) OnOriginChanged(axis);
      if (id == kSizeBox[axis]) OnSizeChanged(axis);
    }
    return;
  }
  if (id == IDC_ROI_RESET && code == BN_CLICKED) {
    OnReset();
    return;
  }
  CDialog::OnCommand(id, code, control);
}

// Values are compared as 64-bit signed numbers, so a typed number too large for the field is
// an origin off the sensor or a size past its edge, never a wrapped negative one.
void CRoiDlg::OnOriginChanged(int axis) {
  std::uint64_t typed = 0;
  if (!ReadUnsignedBox(Handle(), kOriginBox[axis], typed)) return;
  const auto value = static_cast<std::int64_t>(typed);
  std::int32_t& origin = region_[kX0 + axis];
  const std::int32_t size = region_[kWidth + axis];
  const std::int32_t sensor = region_[kSensorWidth + axis];
  if (value == origin) return;
  if (value < sensor) {
    origin = static_cast<std::int32_t>(value);
    if (size <= sensor - origin) {
      ShowRegion();
    } else {
      WriteNumberBox(Handle(), kSizeBox[axis], sensor - origin);  // its handler takes it
    }
  } else {
    WriteNumberBox(Handle(), kOriginBox[axis], origin);
  }
}

void CRoiDlg::OnSizeChanged(int axis) {
  std::uint64_t typed = 0;
  if (!ReadUnsignedBox(Handle(), kSizeBox[axis], typed)) return;
  const auto value = static_cast<std::int64_t>(typed);
  std::int32_t& size = region_[kWidth + axis];
  const std::int64_t room = std::int64_t{region_[kSensorWidth + axis]} - region_[kX0 + axis];
  if (value == size) return;
  if (value <= room) {
    size = static_cast<std::int32_t>(value);
    ShowRegion();
  } else {
    WriteNumberBox(Handle(), kSizeBox[axis], room);
  }
}

void CRoiDlg::OnReset() {
  region_[kX0] = 0;
  region_[kY0] = 0;
  region_[kWidth] = region_[kSensorWidth];
  region_[kHeight] = region_[kSensorHeight];
  FillBoxes();
  ShowRegion();
}

void CRoiDlg::OnRoiChanged() {
  image_.GetRegion(region_);
  FillBoxes();  // the boxes' handlers then see their own values and do nothing
  image_.Invalidate(false);
}

bool CRoiDlg::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) {
  if (message == WM_ROI_CHANGED) {
    OnRoiChanged();
    result = TRUE;
    return true;
  }
  if (message == WM_DESTROY) {
    // The picture goes with the window; the image window, destroyed next, must not draw it.
    image_.SetPicture(nullptr);
    std::vector<std::uint8_t>().swap(picture_);
  }
  return false;
}
