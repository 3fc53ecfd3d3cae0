// Zoom arithmetic of the view: the presets, zooming in and out between them, and fitting.
#pragma once

#include <cstdint>

constexpr int kZoomPresetCount = 13;
// The zoom of preset command 32773 + i.
constexpr int kZoomPresets[kZoomPresetCount] = {400, 300, 200, 100, 90, 80, 70, 60, 50, 40, 30, 20, 10};
constexpr int kZoomMaximum = 400;
constexpr int kZoomMinimum = 10;

// The smallest preset above the zoom, at most 400.
int ZoomInFrom(int zoom);
// The largest preset below the zoom; the zoom itself at 10 and below.
int ZoomOutFrom(int zoom);
// The largest whole percent, less one, at which the image fits the client area; at least 1.
int FitZoom(std::int32_t clientWidth, std::int32_t clientHeight, std::int32_t imageWidth,
            std::int32_t imageHeight);
