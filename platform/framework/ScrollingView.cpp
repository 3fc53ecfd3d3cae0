// Scroll bars, scroll position and painting with the scroll offset.
#include "platform/framework/ScrollingView.h"

#include <algorithm>

#include "platform/win32/GdiObject.h"

namespace {

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }

}  // namespace

void CScrollingView::SetScrollSizes(SIZE total) {
  total_ = {std::max<LONG>(total.cx, 0), std::max<LONG>(total.cy, 0)};
  page_ = {total_.cx / 10, total_.cy / 10};
  line_ = {std::max<LONG>(page_.cx / 10, 1), std::max<LONG>(page_.cy / 10, 1)};
  UpdateScrollBars();
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

SIZE CScrollingView::TrueClientSize() const {
  RECT client{};
  if (Handle()) GetClientRect(Handle(), &client);
  SIZE size{client.right, client.bottom};
  const LONG style = Handle() ? GetWindowLongW(Handle(), GWL_STYLE) : 0;
  if (style & WS_VSCROLL) size.cx += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) size.cy += GetSystemMetrics(SM_CYHSCROLL);
  return size;
}

void CScrollingView::UpdateScrollBars() {
  if (!Handle()) return;
  const SIZE full = TrueClientSize();
  // A bar is needed when the drawing does not fit; one bar can make the other necessary.
  bool needH = total_.cx > full.cx;
  bool needV = total_.cy > full.cy;
  if (needH && !needV) needV = total_.cy > full.cy - GetSystemMetrics(SM_CYHSCROLL);
  if (needV && !needH) needH = total_.cx > full.cx - GetSystemMetrics(SM_CXVSCROLL);
  const SIZE client{full.cx - (needV ? GetSystemMetrics(SM_CXVSCROLL) : 0),
                    full.cy - (needH ? GetSystemMetrics(SM_CYHSCROLL) : 0)};
  position_.x = needH ? Clamp(position_.x, 0, total_.cx - client.cx) : 0;
  position_.y = needV ? Clamp(position_.y, 0, total_.cy - client.cy) : 0;

  SCROLLINFO info{sizeof info, SIF_ALL | SIF_DISABLENOSCROLL};
  info.nMin = 0;
  info.nMax = needH ? total_.cx - 1 : 0;
  info.nPage = needH ? client.cx : 0;
  info.nPos = position_.x;
  ShowScrollBar(Handle(), SB_HORZ, needH);
  if (needH) SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
  info.nMax = needV ? total_.cy - 1 : 0;
  info.nPage = needV ? client.cy : 0;
  info.nPos = position_.y;
  ShowScrollBar(Handle(), SB_VERT, needV);
  if (needV) SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

void CScrollingView::ScrollTo(POINT position) {
  position_ = position;
  UpdateScrollBars();
  if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

void CScrollingView::OnScroll(int bar, int request) {
  SCROLLINFO info{sizeof info, SIF_ALL};
  if (!GetScrollInfo(Handle(), bar, &info)) return;
  const bool horizontal = bar == SB_HORZ;
  const int line = horizontal ? line_.cx : line_.cy;
  const int page = std::max<int>(horizontal ? page_.cx : page_.cy, 1);
  int pos = info.nPos;
  switch (request) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = info.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = info.nMax; break;
    default: return;
  }
  POINT next = position_;
  (horizontal ? next.x : next.y) = pos;
  ScrollTo(next);
}

void CScrollingView::FillOutsideRect(HDC dc, HBRUSH brush) const {
  RECT client;
  GetClientRect(Handle(), &client);
  OffsetRect(&client, position_.x, position_.y);  // into the drawing's coordinates
  const RECT drawing{0, 0, total_.cx, total_.cy};
  const UniqueRegion outside(CreateRectRgnIndirect(&client));
  const UniqueRegion inside(CreateRectRgnIndirect(&drawing));
  HRGN outsideRegion = static_cast<HRGN>(outside.get());
  CombineRgn(outsideRegion, outsideRegion, static_cast<HRGN>(inside.get()), RGN_DIFF);
  FillRgn(dc, outsideRegion, brush);
}

LRESULT CScrollingView::OnEraseBackground(HDC dc) {
  return DefaultHandling(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
}

void CScrollingView::Paint(HDC dc) {
  SetViewportOrgEx(dc, -position_.x, -position_.y, nullptr);
  OnDraw(dc);
  SetViewportOrgEx(dc, 0, 0, nullptr);
}

LRESULT CScrollingView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      UpdateScrollBars();
      return 0;
    case WM_HSCROLL:
      OnScroll(SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_VSCROLL:
      OnScroll(SB_VERT, LOWORD(wParam));
      return 0;
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetViewportOrgEx(dc, -position_.x, -position_.y, nullptr);
      const LRESULT erased = OnEraseBackground(dc);
      SetViewportOrgEx(dc, 0, 0, nullptr);
      return erased;
    }
  }
  if (HandlePaintMessage(Handle(), message, wParam, [this](HDC dc) { Paint(dc); })) return 0;
  return CView::HandleMessage(message, wParam, lParam);
}
