// Region editor picture window: off-screen painting, hit test and drags with the mouse captured.
#include "ui/CImageWnd.h"

#include <windowsx.h>

#include "platform/win32/GdiObject.h"
#include "ui/CMemoryDC.h"

namespace {

constexpr COLORREF kRegionColour = RGB(255, 0, 0);

}  // namespace

bool CImageWnd::Create(const std::int32_t (&region)[kRoiValues], std::uint32_t depth,
                       const std::uint8_t* picture, const RECT& rect, HWND parent, int id) {
  parent_ = parent;
  picture_ = picture;
  BITMAPINFOHEADER& header = bitmapInfo_.header;
  header.biSize = sizeof header;
  header.biPlanes = 1;
  header.biCompression = BI_RGB;
  const bool grey = depth < 24;
  header.biBitCount = grey ? 8 : 24;
  header.biClrUsed = grey ? 256 : 0;
  header.biClrImportant = header.biClrUsed;
  for (int i = 0; i < 256; ++i) {
    const auto level = static_cast<BYTE>(i);
    bitmapInfo_.palette[i] = {level, level, level, 0};
  }
  SetRegion(region);
  return CWindowBase::Create(WS_EX_CLIENTEDGE, L"ImageWnd", WS_CHILD | WS_VISIBLE, rect, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))) != nullptr;
}

void CImageWnd::SetRegion(const std::int32_t (&region)[kRoiValues]) {
  region_ = {region[0], region[1], region[0] + region[2], region[1] + region[3]};
  sensorWidth_ = region[4];
  sensorHeight_ = region[5];
}

void CImageWnd::GetRegion(std::int32_t (&region)[kRoiValues]) const {
  region[0] = region_.x0;
  region[1] = region_.y0;
  region[2] = region_.x1 - region_.x0;
  region[3] = region_.y1 - region_.y0;
}

void CImageWnd::Invalidate(bool erase) {
  if (Handle()) InvalidateRect(Handle(), nullptr, erase ? TRUE : FALSE);
}

RoiPlacement CImageWnd::Placement() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  return PlaceSensor(client.right, client.bottom, sensorWidth_, sensorHeight_);
}

LRESULT CImageWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (HandlePaintMessage(Handle(), message, wParam, [this](HDC dc) { Paint(dc); })) return 0;
  switch (message) {
    // A quick second press is a press like the first: the class asks for double-clicks.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      OnButtonUp();
      return 0;
    case WM_CAPTURECHANGED:
      drag_.End();
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    default:
      return CWindowBase::HandleMessage(message, wParam, lParam);
  }
}

void CImageWnd::Paint(HDC target) {
  const CMemoryDC memory(target);
  HDC dc = memory.Get();
  const int saved = SaveDC(dc);
  FillRect(dc, &memory.Area(), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const RoiPlacement place = Placement();
  if (picture_ && place.valid && region_.x1 != region_.x0 && region_.y1 != region_.y0) {
    IntersectClipRect(dc, place.left, place.top, place.left + place.width, place.top + place.height);
    SetStretchBltMode(dc, COLORONCOLOR);
    bitmapInfo_.header.biWidth = sensorWidth_;
    bitmapInfo_.header.biHeight = -sensorHeight_;
    StretchDIBits(dc, place.left, place.top, place.width, place.height, 0, 0, sensorWidth_,
                  sensorHeight_, picture_, reinterpret_cast<const BITMAPINFO*>(&bitmapInfo_),
                  DIB_RGB_COLORS, SRCCOPY);
    DrawRegion(dc, place);
  }
  RestoreDC(dc, saved);
}

void CImageWnd::DrawRegion(HDC dc, const RoiPlacement& place) const {
  const ScreenRect outer = place.RegionOnScreen(region_);
  // The outline's far side lies on the region's last pixel, one before the hit test's edge.
  const std::int32_t x0 = outer.left, y0 = outer.top, x1 = outer.right - 1, y1 = outer.bottom - 1;
  const UniquePen pen(CreatePen(PS_SOLID, 1, kRegionColour));
  const UniqueBrush brush(CreateSolidBrush(kRegionColour));
  const SelectedObject penSelected(dc, pen.get());
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y0);
  LineTo(dc, x1, y1);
  LineTo(dc, x0, y1);
  LineTo(dc, x0, y0);
  const SelectedObject brushSelected(dc, brush.get());
  const std::int32_t h = RoiDrag::kHandleSize;
  Rectangle(dc, x0, y0, x0 + h, y0 + h);
  Rectangle(dc, x1 - h, y0, x1, y0 + h);
  Rectangle(dc, x1 - h, y1 - h, x1, y1);
  Rectangle(dc, x0, y1 - h, x0 + h, y1);
}

// The mouse is captured for the drag, so a release outside the window still ends it.
void CImageWnd::OnButtonDown(std::int32_t x, std::int32_t y) {
  drag_.Begin(Placement(), region_, x, y);
  if (drag_.Mode() != kDragNone) SetCapture(Handle());
}

void CImageWnd::OnButtonUp() {
  drag_.End();
  if (GetCapture() == Handle()) ReleaseCapture();
}

void CImageWnd::OnMouseMove(std::int32_t x, std::int32_t y) {
  if (drag_.Mode() == kDragNone) return;
  if (drag_.Step(Placement(), region_, x, y)) {
    SendMessageW(parent_, WM_ROI_CHANGED, 0, 0);
  } else if (GetCapture() == Handle()) {
    ReleaseCapture();
  }
}
