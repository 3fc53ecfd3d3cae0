// Region editor geometry; every multiply-divide goes through a 64-bit product, rounded to nearest.
#include "ui/RoiGeometry.h"

#include "render/RoundedMulDiv.h"

namespace {

constexpr std::int32_t kMarginX = 5;
constexpr std::int32_t kMarginY = 10;
constexpr std::int32_t kPercent = 100;

}  // namespace

RoiPlacement PlaceSensor(std::int32_t clientWidth, std::int32_t clientHeight,
                         std::int32_t sensorWidth, std::int32_t sensorHeight) {
  RoiPlacement place;
  const std::int32_t cw = clientWidth - 2 * kMarginX;
  const std::int32_t ch = clientHeight - 2 * kMarginY;
  if (sensorWidth < 1 || sensorHeight < 1) return place;
  const std::int32_t byWidth = RoundedMulDiv(cw, kPercent, sensorWidth);
  const std::int32_t byHeight = RoundedMulDiv(ch, kPercent, sensorHeight);
  const std::int32_t fit = byWidth < byHeight ? byWidth : byHeight;
  place.scale = fit - 1 < 1 ? 1 : fit - 1;
  place.width = RoundedMulDiv(sensorWidth, place.scale, kPercent);
  place.height = RoundedMulDiv(sensorHeight, place.scale, kPercent);
  place.left = kMarginX + (cw - place.width) / 2;
  place.top = kMarginY + (ch - place.height) / 2;
  place.sensorWidth = sensorWidth;
  place.sensorHeight = sensorHeight;
  place.valid = true;
  return place;
}

std::int32_t RoiPlacement::ToWindowX(std::int32_t x) const {
  return left + RoundedMulDiv(x, scale, kPercent);
}

std::int32_t RoiPlacement::ToWindowY(std::int32_t y) const {
  return top + RoundedMulDiv(y, scale, kPercent);
}

std::int32_t RoiPlacement::ToSensorX(std::int32_t windowX) const {
  return RoundedMulDiv(windowX - left, kPercent, scale);
}

std::int32_t RoiPlacement::ToSensorY(std::int32_t windowY) const {
  return RoundedMulDiv(windowY - top, kPercent, scale);
}

ScreenRect RoiPlacement::RegionOnScreen(const RoiRect& region) const {
  const std::int32_t rx0 = ToWindowX(region.x0);
  const std::int32_t ry0 = ToWindowY(region.y0);
  return {rx0, ry0, rx0 + RoundedMulDiv(region.x1 - region.x0, scale, kPercent),
          ry0 + RoundedMulDiv(region.y1 - region.y0, scale, kPercent)};
}
