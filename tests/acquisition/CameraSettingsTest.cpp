// Defaults and pixel class of the camera settings record.
#include "acquisition/CameraSettings.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(CameraSettings, DefaultsGiveEveryNonZeroFieldItsValue) {
  CameraSettings s;
  std::memset(&s, 0xA5, sizeof s);
  SetDefaultSettings(s);
  EXPECT_EQ(s.Size, sizeof(CameraSettings));
  EXPECT_EQ(s.Exposure, 1000u);
  EXPECT_EQ(s.Rate, 100u);
  EXPECT_EQ(s.PixelDepth, 8u);
  EXPECT_EQ(s.LiveTimeOut, 5000u);
  EXPECT_EQ(s.AcquisitionFrames, 100u);
  EXPECT_EQ(s.LWR, 1u);
  EXPECT_EQ(s.FileType, 1u);
  EXPECT_EQ(s.OutputRate, 5u);
  EXPECT_EQ(s.CodecMOV, 1u);
  EXPECT_EQ(s.CodecAVIQual, 10000u);
  EXPECT_EQ(s.CodecJPGQual, 10000u);
  EXPECT_STREQ(s.ImageNamePrefix, "Img");
  EXPECT_STREQ(s.ImageFolder, "");
  // Everything else is cleared, including the region that the view later widens to the sensor.
  EXPECT_EQ(s.RoiWidth, 0);
  EXPECT_EQ(s.RoiHeight, 0);
  EXPECT_EQ(s.RecordMemory, 0u);
  EXPECT_EQ(s.CodecAVI, 0u);
  EXPECT_EQ(s.ImageNamePrefix[sizeof s.ImageNamePrefix - 1], 0);
}

TEST(CameraSettings, PixelClassFollowsDepth) {
  const struct { unsigned depth, cls; } cases[] = {
      {8, 0}, {9, 1}, {10, 1}, {16, 1}, {17, 2}, {24, 2}, {27, 2}, {30, 2}, {7, 1}};
  CameraSettings s;
  SetDefaultSettings(s);
  for (const auto& c : cases) {
    s.PixelDepth = c.depth;
    EXPECT_EQ(PixelClass(s), c.cls) << "depth " << c.depth;
  }
}
