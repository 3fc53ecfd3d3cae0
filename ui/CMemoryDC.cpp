// Memory device context over the clip box of a paint, with the target's mapping.
#include "ui/CMemoryDC.h"

namespace {

RECT ClipBox(HDC dc) {
  RECT area{};
  GetClipBox(dc, &area);
  return area;
}

bool IsPrinting(HDC dc) { return GetDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER; }

}  // namespace

CMemoryDC::CMemoryDC(HDC target)
    : target_(target),
      area_(ClipBox(target)),
      memory_(IsPrinting(target) ? nullptr : CreateCompatibleDC(target)),
      bitmap_(memory_ ? CreateCompatibleBitmap(target, area_.right - area_.left,
                                               area_.bottom - area_.top)
                      : nullptr) {
  if (!bitmap_) {
    memory_.reset();
    return;
  }
  selected_.emplace(memory_.get(), bitmap_.get());
  SetMapMode(memory_.get(), GetMapMode(target));
  SIZE extent;
  GetWindowExtEx(target, &extent);
  SetWindowExtEx(memory_.get(), extent.cx, extent.cy, nullptr);
  GetViewportExtEx(target, &extent);
  SetViewportExtEx(memory_.get(), extent.cx, extent.cy, nullptr);
  SetWindowOrgEx(memory_.get(), area_.left, area_.top, nullptr);
}

CMemoryDC::~CMemoryDC() {
  if (!memory_) return;
  BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
         memory_.get(), area_.left, area_.top, SRCCOPY);
  selected_.reset();
}
