// Zoom steps between the presets and the fit to a window.
#include "render/ZoomSteps.h"

#include <algorithm>

#include "render/RoundedMulDiv.h"

int ZoomInFrom(int zoom) {
  for (int i = kZoomPresetCount - 1; i >= 0; --i) {
    if (kZoomPresets[i] > zoom) return kZoomPresets[i];
  }
  return kZoomMaximum;
}

int ZoomOutFrom(int zoom) {
  if (zoom <= kZoomMinimum) return zoom;
  for (int preset : kZoomPresets) {
    if (preset < zoom) return preset;
  }
  return kZoomMinimum;
}

int FitZoom(std::int32_t clientWidth, std::int32_t clientHeight, std::int32_t imageWidth,
            std::int32_t imageHeight) {
  // An image of no size fits at any zoom; the rounded divide reports it as -1, which the lower
  // bound turns into the smallest zoom.
  const std::int32_t across = RoundedMulDiv(clientWidth, 100, imageWidth);
  const std::int32_t down = RoundedMulDiv(clientHeight, 100, imageHeight);
  return std::max(std::min(across, down) - 1, 1);
}
