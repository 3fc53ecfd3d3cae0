// Where the region editor shows the sensor: the scale, the picture's place in the window, and the
// conversions between sensor pixels and window pixels.
#pragma once

#include <cstdint>

// A region in sensor pixels: x1 = x0 + width, y1 = y0 + height.
struct RoiRect {
  std::int32_t x0, y0, x1, y1;
};

// A region's corners in window pixels.
struct ScreenRect {
  std::int32_t left, top, right, bottom;
};

struct RoiPlacement {
  bool valid = false;          // false without a sensor size; nothing is drawn or dragged then
  std::int32_t left = 0;       // the picture's top-left corner in the window
  std::int32_t top = 0;
  std::int32_t scale = 1;      // percent
  std::int32_t width = 0;      // the picture's size in the window
  std::int32_t height = 0;
  std::int32_t sensorWidth = 0;
  std::int32_t sensorHeight = 0;

  std::int32_t ToWindowX(std::int32_t x) const;
  std::int32_t ToWindowY(std::int32_t y) const;
  std::int32_t ToSensorX(std::int32_t windowX) const;
  std::int32_t ToSensorY(std::int32_t windowY) const;
  // rx0, ry0 and the far corner rx0 + width at scale (no pixel taken off, as hit testing wants).
  ScreenRect RegionOnScreen(const RoiRect& region) const;
};

// The picture in a client area of the given size: a margin of 5 pixels left and right and 10 at
// top and bottom, the scale one percent below the largest that fits, centred.
RoiPlacement PlaceSensor(std::int32_t clientWidth, std::int32_t clientHeight,
                         std::int32_t sensorWidth, std::int32_t sensorHeight);
