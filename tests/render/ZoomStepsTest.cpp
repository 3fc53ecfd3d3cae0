// Zoom steps between the presets and the fit of an image to a window.
#include "render/ZoomSteps.h"

#include <gtest/gtest.h>

TEST(ZoomSteps, ZoomInTakesTheNextPresetUp) {
  const struct { int from, to; } cases[] = {
      {1, 10},    {9, 10},    {10, 20},   {19, 20},   {37, 40},   {80, 90},   {89, 90},
      {90, 100},  {99, 100},  {100, 200}, {199, 200}, {200, 300}, {299, 300}, {300, 400},
      {399, 400}, {400, 400}, {500, 400}};
  for (const auto& c : cases) EXPECT_EQ(ZoomInFrom(c.from), c.to) << c.from;
}

TEST(ZoomSteps, ZoomOutTakesTheNextPresetDown) {
  const struct { int from, to; } cases[] = {
      {1, 1},     {10, 10},   {11, 10},   {20, 10},   {21, 20},   {37, 30},   {90, 80},
      {91, 90},   {100, 90},  {101, 100}, {200, 100}, {201, 200}, {300, 200}, {301, 300},
      {400, 300}, {401, 400}, {1000, 400}};
  for (const auto& c : cases) EXPECT_EQ(ZoomOutFrom(c.from), c.to) << c.from;
}

TEST(ZoomSteps, FitLeavesOnePercentToSpare) {
  const struct { int cw, ch, iw, ih, zoom; } cases[] = {
      {800, 600, 1280, 1024, 58},   // fits 63 across and 59 down
      {1280, 1024, 1280, 1024, 99},
      {2560, 2048, 1280, 1024, 199},
      {10, 10, 1280, 1024, 1},      // smaller than a hundredth of the image
      {0, 0, 1280, 1024, 1},
      {641, 480, 640, 480, 99},     // 100.16 rounds to 100
      {800, 600, 0, 0, 1},          // no image: the smallest zoom, never a division by zero
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FitZoom(c.cw, c.ch, c.iw, c.ih), c.zoom) << c.cw << "x" << c.ch << " " << c.iw;
  }
}
