// The region editor's rules without windows: placement and scale, hit test, drags, the picture.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ui/RoiDrag.h"
#include "ui/RoiGeometry.h"
#include "ui/RoiPicture.h"

namespace {

// Client sizes include the 5- and 10-pixel margins: 590 x 400 leaves 580 x 380.
TEST(RoiGeometry, PlacementScalesOnePercentBelowTheFit) {
  const struct {
    std::int32_t cw, ch, w, h, scale, dw, dh, left, top;
  } cases[] = {
      {590, 400, 1280, 1024, 36, 461, 369, 5 + (580 - 461) / 2, 10 + (380 - 369) / 2},
      {590, 400, 100, 100, 379, 379, 379, 5 + (580 - 379) / 2, 10},
      {30, 40, 10000, 10000, 1, 100, 100, 5 + (20 - 100) / 2, 10 + (20 - 100) / 2},  // at least 1 %
  };
  for (const auto& c : cases) {
    const RoiPlacement p = PlaceSensor(c.cw, c.ch, c.w, c.h);
    EXPECT_TRUE(p.valid);
    EXPECT_EQ(p.scale, c.scale) << c.w;
    EXPECT_EQ(p.width, c.dw) << c.w;
    EXPECT_EQ(p.height, c.dh) << c.w;
    EXPECT_EQ(p.left, c.left) << c.w;
    EXPECT_EQ(p.top, c.top) << c.w;
  }
  EXPECT_FALSE(PlaceSensor(590, 400, 0, 1024).valid);
  const RoiPlacement p = PlaceSensor(590, 400, 1280, 1024);
  EXPECT_EQ(p.ToWindowX(1280), p.left + 461);
  EXPECT_EQ(p.ToSensorX(p.left + 461), 1281) << "rounded to nearest: 461 * 100 / 36 = 1280.6";
  EXPECT_EQ(p.ToSensorY(p.top - 1), -3);
}

class RoiDragTest : public ::testing::Test {
 protected:
  const RoiPlacement place_ = PlaceSensor(590, 400, 1280, 1024);  // 36 %
  RoiRect region_{100, 100, 600, 500};
  RoiDrag drag_;
  ScreenRect Screen() const { return place_.RegionOnScreen(region_); }
  void DragFromTo(std::int32_t x, std::int32_t y, std::int32_t toX, std::int32_t toY) {
    drag_.Begin(place_, region_, x, y);
    drag_.Step(place_, region_, toX, toY);
  }
};

TEST_F(RoiDragTest, PressesPickCornersInOrderThenTheInside) {
  const ScreenRect r = Screen();
  const struct {
    std::int32_t x, y;
    int mode, corner;
  } cases[] = {
      {r.left - 6, r.top - 6, kDragResize, kTopLeft},  // left and top inclusive
      {r.left + 5, r.top + 5, kDragResize, kTopLeft},
      {r.right, r.top, kDragResize, kTopRight},
      {r.right + 5, r.bottom - 6, kDragResize, kBottomRight},
      {r.left, r.bottom, kDragResize, kBottomLeft},
      {r.left + 6, r.top + 6, kDragMove, kTopLeft},  // right and bottom exclusive
      {r.right - 7, r.bottom - 7, kDragMove, kTopLeft},
      {r.right + 6, r.top, kDragNone, kTopLeft},
      {r.left - 7, (r.top + r.bottom) / 2, kDragNone, kTopLeft},
  };
  for (const auto& c : cases) {
    RoiDrag drag;
    drag.Begin(place_, region_, c.x, c.y);
    EXPECT_EQ(drag.Mode(), c.mode) << c.x << "," << c.y;
    if (c.mode == kDragResize) {
      EXPECT_EQ(drag.Corner(), c.corner) << c.x << "," << c.y;
    }
  }
}

TEST_F(RoiDragTest, TopLeftOntoBottomRightStopsFivePixelsShort) {
  const ScreenRect r = Screen();
  DragFromTo(r.left, r.top, r.right + 50, r.bottom + 50);
  EXPECT_EQ(region_.x0, 595);
  EXPECT_EQ(region_.y0, 495);
  EXPECT_EQ(region_.x1, 600);
  EXPECT_EQ(region_.y1, 500);
  region_ = {100, 100, 600, 500};
  const ScreenRect again = Screen();
  DragFromTo(again.right, again.bottom, again.left, again.top);
  EXPECT_EQ(drag_.Corner(), kBottomRight);
  EXPECT_EQ(region_.x1, 105);
  EXPECT_EQ(region_.y1, 105);
}

// A handle is pressed a few pixels inside its corner, so a drag far past the picture's corner
// moves the mouse further than the edge can go: every dragged edge stops at the picture's edge.
TEST_F(RoiDragTest, CornersDraggedPastThePictureStopAtItsEdges) {
  const struct {
    int corner;
    std::int32_t toX, toY;
    RoiRect result;
  } cases[] = {
      {kTopLeft, -900, -900, {0, 0, 600, 500}},
      {kTopRight, 5000, -900, {10, 0, 1280, 500}},
      {kBottomLeft, -900, 5000, {0, 10, 600, 1024}},
      {kBottomRight, 5000, 5000, {10, 10, 1280, 1024}},
  };
  for (const auto& c : cases) {
    region_ = {10, 10, 600, 500};
    const ScreenRect r = Screen();
    const bool left = c.corner == kTopLeft || c.corner == kBottomLeft;
    const bool top = c.corner == kTopLeft || c.corner == kTopRight;
    DragFromTo(left ? r.left + 5 : r.right - 5, top ? r.top + 5 : r.bottom - 5, c.toX, c.toY);
    EXPECT_EQ(drag_.Corner(), c.corner);
    EXPECT_EQ(region_.x0, c.result.x0) << c.corner;
    EXPECT_EQ(region_.y0, c.result.y0) << c.corner;
    EXPECT_EQ(region_.x1, c.result.x1) << c.corner;
    EXPECT_EQ(region_.y1, c.result.y1) << c.corner;
  }
}

TEST_F(RoiDragTest, MovesKeepTheSizeAgainstTheEdges) {
  const ScreenRect r = Screen();
  DragFromTo(r.left + 20, r.top + 20, r.left + 2000, r.top + 20);
  EXPECT_EQ(region_.x1, 1280) << "against the right edge";
  EXPECT_EQ(region_.x1 - region_.x0, 500);
  EXPECT_EQ(region_.y0, 100);
  DragFromTo(Screen().left + 20, Screen().top + 20, -900, -900);
  EXPECT_EQ(region_.x0, 0);
  EXPECT_EQ(region_.y0, 0);
  EXPECT_EQ(region_.x1 - region_.x0, 500);
  EXPECT_EQ(region_.y1 - region_.y0, 400);
}

TEST_F(RoiDragTest, AStepFromOutsideThePictureEndsTheDrag) {
  region_ = {0, 100, 400, 500};
  const ScreenRect r = Screen();
  drag_.Begin(place_, region_, r.left - 4, r.top);  // the outer half of the top-left handle
  EXPECT_EQ(drag_.Mode(), kDragResize);
  EXPECT_FALSE(drag_.Step(place_, region_, r.left + 30, r.top));
  EXPECT_EQ(drag_.Mode(), kDragNone);
  EXPECT_EQ(region_.x0, 0);
  EXPECT_FALSE(drag_.Step(place_, region_, r.left + 60, r.top)) << "nothing until the next press";
}

TEST(RoiPicture, FrameLandsAtTheRegionWithinBothBuffers) {
  // 2 x 2 frames at (3, 1) on a 4 x 3 sensor: the second column falls off the sensor's edge.
  const std::uint8_t mono[] = {10, 20, 30, 40};
  const std::uint16_t tenBit[] = {1023, 4, 400, 0};
  const std::uint8_t colour[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  const std::uint16_t thirty[] = {1023, 512, 4, 0, 0, 0, 8, 16, 1020, 0, 0, 0};
  const struct {
    std::uint32_t depth;
    const void* pixels;
    std::size_t bytes;
    std::vector<std::uint8_t> row1, row2;  // picture rows 1 and 2, padded
  } cases[] = {
      {8, mono, sizeof mono, {128, 128, 128, 10}, {128, 128, 128, 30}},
      {10, tenBit, sizeof tenBit, {128, 128, 128, 255}, {128, 128, 128, 100}},
      {24, colour, sizeof colour, {128, 128, 128, 128, 128, 128, 128, 128, 128, 1, 2, 3},
       {128, 128, 128, 128, 128, 128, 128, 128, 128, 7, 8, 9}},
      // One row's worth of bytes only: the second row is not read.
      {30, thirty, sizeof thirty / 2, {128, 128, 128, 128, 128, 128, 128, 128, 128, 255, 128, 1},
       {128, 128, 128, 128, 128, 128, 128, 128, 128, 128, 128, 128}},
  };
  for (const auto& c : cases) {
    // Exactly the frame's bytes on the heap, so AddressSanitizer sees any read past them.
    std::vector<std::uint8_t> frame(static_cast<const std::uint8_t*>(c.pixels),
                                    static_cast<const std::uint8_t*>(c.pixels) + c.bytes);
    const RoiFrame view{frame.data(), frame.size(), 2, 2};
    const std::vector<std::uint8_t> picture = BuildRoiPicture(3, 1, 4, 3, c.depth, view);
    const std::size_t row = c.row1.size();
    ASSERT_EQ(picture.size(), row * 3) << c.depth;
    EXPECT_EQ(std::vector<std::uint8_t>(picture.begin() + row, picture.begin() + 2 * row), c.row1) << c.depth;
    EXPECT_EQ(std::vector<std::uint8_t>(picture.begin() + 2 * row, picture.end()), c.row2) << c.depth;
  }
  EXPECT_TRUE(BuildRoiPicture(0, 0, 0, 10, 8, RoiFrame{}).empty());
  EXPECT_EQ(BuildRoiPicture(0, 0, 5, 2, 8, RoiFrame{}).size(), 16u) << "rows padded to 4 bytes, grey";
}

}  // namespace
