// A mouse drag in the region editor: what the press hit, and how each step moves or resizes the
// region within the sensor.
#pragma once

#include <cstdint>

#include "ui/RoiGeometry.h"

enum RoiDragMode : int { kDragNone = 0, kDragMove = 1, kDragResize = 2 };
enum RoiCorner : int { kTopLeft = 0, kTopRight = 1, kBottomRight = 2, kBottomLeft = 3 };

class RoiDrag {
 public:
  static constexpr std::int32_t kHandleSize = 6;
  // The smallest size a dragged corner leaves the region.
  static constexpr std::int32_t kMinimumSize = 5;

  // A press at a window point: a corner handle starts a resize, a point inside the region a move.
  void Begin(const RoiPlacement& place, const RoiRect& region, std::int32_t x, std::int32_t y);
  // One mouse step; true when the region was worked on and the dialog is to be told. A step
  // starting outside the picture ends the drag instead.
  bool Step(const RoiPlacement& place, RoiRect& region, std::int32_t x, std::int32_t y);
  void End() { mode_ = kDragNone; }

  int Mode() const { return mode_; }
  int Corner() const { return corner_; }

 private:
  void Move(RoiRect& region, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h) const;
  void Resize(RoiRect& region, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h) const;

  int mode_ = kDragNone;
  int corner_ = kTopLeft;
  std::int32_t lastX_ = 0;
  std::int32_t lastY_ = 0;
};
