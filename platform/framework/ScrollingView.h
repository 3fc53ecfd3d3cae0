// A view that scrolls over a drawing of a given size in device units.
#pragma once

#include "platform/framework/View.h"

class CScrollingView : public CView {
 public:
  // The drawing's size; page steps default to a tenth of it, line steps to a tenth of a page.
  void SetScrollSizes(SIZE total);
  SIZE TotalSize() const { return total_; }
  POINT ScrollPosition() const { return position_; }
  void ScrollTo(POINT position);
  // The client area as it would be without scroll bars.
  SIZE TrueClientSize() const;
  // Fills the client area outside the drawing; the device context carries the scroll offset.
  void FillOutsideRect(HDC dc, HBRUSH brush) const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Background erasing; the default leaves it to the window class.
  virtual LRESULT OnEraseBackground(HDC dc);

 private:
  void UpdateScrollBars();
  void OnScroll(int bar, int request);
  void Paint(HDC dc);

  SIZE total_{0, 0};
  SIZE page_{0, 0};
  SIZE line_{0, 0};
  POINT position_{0, 0};
};
