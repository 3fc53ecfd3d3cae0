// Region editor drags: hit test, move against the sensor edges, corner resize with a minimum size.
#include "ui/RoiDrag.h"

namespace {

bool InHandle(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy) {
  const std::int32_t h = RoiDrag::kHandleSize;
  return x >= cx - h && x < cx + h && y >= cy - h && y < cy + h;
}

std::int32_t Clamp(std::int32_t v, std::int32_t low, std::int32_t high) {
  return v < low ? low : v > high ? high : v;
}

// The edge at the axis' origin side: not before 0, and kMinimumSize before the far edge at most.
void DragNearEdge(std::int32_t& nearEdge, std::int32_t farEdge, std::int32_t d) {
  nearEdge = nearEdge + d < 0 ? 0 : nearEdge + d;
  if (nearEdge >= farEdge - (RoiDrag::kMinimumSize - 1)) nearEdge = farEdge - RoiDrag::kMinimumSize;
}

// The edge at the far side: not past the sensor's size, and kMinimumSize after the near edge at least.
void DragFarEdge(std::int32_t nearEdge, std::int32_t& farEdge, std::int32_t d, std::int32_t size) {
  farEdge = farEdge + d > size ? size : farEdge + d;
  if (farEdge <= nearEdge + (RoiDrag::kMinimumSize - 1)) farEdge = nearEdge + RoiDrag::kMinimumSize;
}

}  // namespace

void RoiDrag::Begin(const RoiPlacement& place, const RoiRect& region, std::int32_t x, std::int32_t y) {
  lastX_ = x;
  lastY_ = y;
  mode_ = kDragNone;
  if (!place.valid) return;
  const ScreenRect r = place.RegionOnScreen(region);
  const std::int32_t corners[4][2] = {
      {r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
  for (int corner = kTopLeft; corner <= kBottomLeft; ++corner) {
    if (InHandle(x, y, corners[corner][0], corners[corner][1])) {
      corner_ = corner;
      mode_ = kDragResize;
      return;
    }
  }
  if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) mode_ = kDragMove;
}

bool RoiDrag::Step(const RoiPlacement& place, RoiRect& region, std::int32_t x, std::int32_t y) {
  if (mode_ == kDragNone || !place.valid) return false;
  const std::int32_t w = place.sensorWidth;
  const std::int32_t h = place.sensorHeight;
  const std::int32_t px = place.ToSensorX(lastX_);
  const std::int32_t py = place.ToSensorY(lastY_);
  if (px < 0 || px > w || py < 0 || py > h) {
    mode_ = kDragNone;
    return false;
  }
  const std::int32_t cx = Clamp(place.ToSensorX(x), 0, w);
  const std::int32_t cy = Clamp(place.ToSensorY(y), 0, h);
  if (mode_ == kDragMove) {
    Move(region, cx - px, cy - py, w, h);
  } else {
    Resize(region, cx - px, cy - py, w, h);
  }
  lastX_ = place.ToWindowX(cx);
  lastY_ = place.ToWindowY(cy);
  return true;
}

// The size never changes: a region pushed past an edge is put back against it.
void RoiDrag::Move(RoiRect& r, std::int32_t dx, std::int32_t dy, std::int32_t w,
                   std::int32_t h) const {
  r.x0 += dx;
  r.x1 += dx;
  r.y0 += dy;
  r.y1 += dy;
  auto shift = [&r](std::int32_t sx, std::int32_t sy) {
    r.x0 += sx;
    r.x1 += sx;
    r.y0 += sy;
    r.y1 += sy;
  };
  if (r.x0 < 0) shift(-r.x0, 0);
  if (r.y0 < 0) shift(0, -r.y0);
  if (r.x1 > w) shift(w - r.x1, 0);
  if (r.y1 > h) shift(0, h - r.y1);
}

// Each dragged edge stays on the sensor and at least kMinimumSize from the opposite edge.
void RoiDrag::Resize(RoiRect& r, std::int32_t dx, std::int32_t dy, std::int32_t w,
                     std::int32_t h) const {
  if (corner_ == kTopLeft || corner_ == kBottomLeft) {
    DragNearEdge(r.x0, r.x1, dx);
  } else {
    DragFarEdge(r.x0, r.x1, dx, w);
  }
  if (corner_ == kTopLeft || corner_ == kTopRight) {
    DragNearEdge(r.y0, r.y1, dy);
  } else {
    DragFarEdge(r.y0, r.y1, dy, h);
  }
}
