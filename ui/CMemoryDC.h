// Off-screen painting: drawing goes to a bitmap of the area being painted, copied to the window
// in one piece when the object goes, so the window never shows a half-drawn picture.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/win32/GdiObject.h"

class CMemoryDC {
 public:
  explicit CMemoryDC(HDC target);
  ~CMemoryDC();
  CMemoryDC(const CMemoryDC&) = delete;
  CMemoryDC& operator=(const CMemoryDC&) = delete;

  // Where to draw, in the target's logical coordinates: the bitmap, or the target itself when
  // printing or when no bitmap could be had.
  HDC Get() const { return memory_ ? memory_.get() : target_; }
  const RECT& Area() const { return area_; }

 private:
  HDC target_;
  RECT area_{};
  UniqueMemoryDC memory_;
  UniqueBitmap bitmap_;
  std::optional<SelectedObject> selected_;
};
