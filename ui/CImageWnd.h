// The region editor's picture window: draws the sensor picture with the region in red and lets
// the operator move the region or drag its corners, reporting each step to its parent.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/framework/WindowBase.h"
#include "ui/RoiDrag.h"
#include "ui/RoiGeometry.h"

// Sent to the parent after each drag step; the parent reads the region with GetRegion.
constexpr UINT WM_ROI_CHANGED = WM_USER + 200;

// Six region values: x0, y0, width, height, sensor width, sensor height.
constexpr int kRoiValues = 6;

class CImageWnd : public CWindowBase {
 public:
  // picture: sensor-sized rows as BuildRoiPicture makes them, or null; not owned.
  bool Create(const std::int32_t (&region)[kRoiValues], std::uint32_t depth,
              const std::uint8_t* picture, const RECT& rect, HWND parent, int id);
  void SetRegion(const std::int32_t (&region)[kRoiValues]);
  // The first four values; the sensor size is left as it is.
  void GetRegion(std::int32_t (&region)[kRoiValues]) const;
  void SetPicture(const std::uint8_t* picture) { picture_ = picture; }
  void Invalidate(bool erase);

  RoiPlacement Placement() const;
  int DragMode() const { return drag_.Mode(); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  const wchar_t* ClassName() const override { return L"SelvarImageWnd"; }
  HBRUSH BackgroundBrush() const override { return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)); }

 private:
  void Paint(HDC target);
  void DrawRegion(HDC dc, const RoiPlacement& place) const;
  void OnButtonDown(std::int32_t x, std::int32_t y);
  void OnButtonUp();
  void OnMouseMove(std::int32_t x, std::int32_t y);

  HWND parent_ = nullptr;
  const std::uint8_t* picture_ = nullptr;
  RoiRect region_{};
  std::int32_t sensorWidth_ = 0;
  std::int32_t sensorHeight_ = 0;
  RoiDrag drag_;
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD palette[256];
  } bitmapInfo_{};
};
