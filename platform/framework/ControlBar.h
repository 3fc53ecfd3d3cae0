// A bar docked on one side of a frame: it tells the frame its size and refreshes its buttons'
// enabled and checked state from the frame's command routing when the idle update arrives.
#pragma once

#include <windows.h>

class CFrameWindow;

enum class DockSide { Top, Right };

class CControlBar {
 public:
  virtual ~CControlBar() = default;

  virtual HWND BarWindow() const = 0;
  // Thickness across the docking side: the height of a top bar, the width of a right bar.
  virtual int DockedThickness() const = 0;
  // Asks the frame's update handlers about each command the bar shows and applies the answers.
  virtual void UpdateCommandStates(CFrameWindow& frame) = 0;

  // The bar's own visible style: a frame laid out inside a window not shown yet (a control being
  // activated) still makes room for its bars.
  bool IsVisible() const {
    return BarWindow() && (GetWindowLongPtrW(BarWindow(), GWL_STYLE) & WS_VISIBLE) != 0;
  }
};
