// The test pattern generator: the fast frame fill against the per-pixel formula, every depth.
#include "platform/tessadrv/TestPattern.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/tessadrv/ConformanceSupport.h"

TEST(TestPattern, SampleFollowsTheFormula) {
  const struct { unsigned sx, sy, n, depth, window, component, want; } rows[] = {
      {0, 0, 0, 10, 0, 0, 0},       {5, 3, 2, 10, 0, 0, 19},       {1000, 10, 1, 10, 0, 0, 0},
      {1023, 0, 0, 10, 0, 0, 1023}, {1023, 0, 0, 9, 0, 0, 511},    {1023, 0, 0, 8, 0, 0, 255},
      {1023, 0, 0, 8, 1, 0, 255},   {1023, 0, 0, 8, 2, 0, 255},    {0x2AB, 0, 0, 8, 0, 0, 0xAA},
      {0x2AB, 0, 0, 8, 1, 0, 0x55}, {0x2AB, 0, 0, 8, 2, 0, 0xAB},  {0x2AB, 0, 0, 9, 0, 0, 0x155},
      {0, 0, 0, 30, 0, 1, 341},     {0, 0, 0, 30, 0, 2, 682},      {700, 0, 0, 30, 0, 1, 17},
      {700, 0, 0, 30, 0, 2, 358},   {700, 0, 0, 27, 0, 2, 179},    {700, 0, 0, 24, 2, 2, 358 & 255},
      {700, 0, 0, 24, 0, 0, 175},   {0, 0, 256, 10, 0, 0, 0},      {1, 1, 0xFFFFFFFFu, 10, 0, 0, 1023}};
  for (const auto& r : rows) {
    EXPECT_EQ(TestPatternSample(r.sx, r.sy, r.n, r.depth, r.window, r.component), r.want)
        << r.sx << "," << r.sy << " n " << r.n << " depth " << r.depth << " window " << r.window;
  }
}

TEST(TestPattern, FrameMatchesThePatternAtEveryDepth) {
  const struct { unsigned depth, window; } formats[] = {{8, 0}, {8, 1}, {8, 2}, {9, 0}, {10, 0},
                                                        {24, 0}, {24, 1}, {24, 2}, {27, 0}, {30, 0}};
  const struct { unsigned x0, y0, width, height, n; } regions[] = {
      {0, 0, 40, 3, 0}, {1000, 500, 70, 9, 0xA5A5A5A5u}, {3, 4, 5, 2, 31}, {0, 0, 1, 1, 1}, {600, 200, 1100, 2, 77}};
  for (const auto& f : formats) {
    for (const auto& r : regions) {
      const PatternGeometry g{r.x0, r.y0, r.width, r.height, f.depth, f.window};
      std::vector<std::uint8_t> frame(TestPatternFrameBytes(g) + 1, 0xEE);
      FillTestPatternFrame(g, r.n, frame.data());
      EXPECT_EQ(frame.back(), 0xEE) << "nothing past the frame";
      EXPECT_EQ(PatternMismatch(frame.data(), g, r.n), "");
      EXPECT_EQ(ReadFrameStamp(frame.data(), g), r.width >= 32 ? r.n : r.n & ((1u << r.width) - 1));
      for (unsigned y = 0; y < r.height; ++y) {
        for (unsigned x = 0; x < r.width; x += 7) {
          for (unsigned c = 0; c < 3; ++c) {
            ASSERT_EQ(ReadFramePixel(frame.data(), g, x, y, c), TestPatternExpected(g, x, y, r.n, c))
                << "depth " << f.depth << " pixel " << x << "," << y;
          }
        }
      }
    }
  }
}

TEST(TestPattern, FrameBytesFollowTheDepth) {
  const struct { unsigned depth; std::size_t bytes; } rows[] = {{8, 60}, {9, 120}, {10, 120}, {24, 180}, {27, 360}, {30, 360}};
  for (const auto& row : rows) {
    EXPECT_EQ(TestPatternFrameBytes(PatternGeometry{0, 0, 10, 6, row.depth, 0}), row.bytes) << row.depth;
  }
}
