// Rules of the camera device that can fail: conversions, clamps, region fitting, sizes, buffers,
// the open fix-up and the frame-table read path, checked against a scriptable driver.
#include "camera/CCamera.h"

#include <gtest/gtest.h>

#include <cstring>

#include "acquisition/CameraSettings.h"
#include "camera/CameraIds.h"
#include "tests/camera/FakeDriver.h"

namespace {

class CameraDevice : public ::testing::Test {
 protected:
  CameraDevice() : api_(ResetFakeDriver()) {
    auto& s = FakeDriver();
    s.info[kInfoModelCode] = {3, 0};
    s.info[kInfoSubtype] = {0, 0};
    s.info[kInfoSensorWidth] = {1280, 0};
    s.info[kInfoSensorHeight] = {1024, 0};
    s.info[kInfoLiveWhileRecording] = {1, 0};
    s.info[kInfoFrameTableMode] = {0, 0};
    s.settings[kSetMaxWidth] = 1280;
    s.settings[kSetMaxHeight] = 1024;
    s.settings[kSetRoiWidth] = 1280;
    s.settings[kSetRoiHeight] = 1024;
    s.settings[kSetPixelDepth] = 8;
    s.settings[kSetExposureMode] = 0;
    s.settings[kSetFramePeriod] = 10000000;
  }

  const TessaDriverApi& api_;
};

TEST_F(CameraDevice, ExposureTravelsInNanosecondsAndIsLimitedTo32Bits) {
  CCamera camera(api_);
  ASSERT_EQ(camera.Open(1), 0);
  const struct { std::uint32_t us, ns; } sends[] = {
      {2000, 2000000}, {0, 0}, {kMaxExposureUs, 4294967000u},
      {kMaxExposureUs + 1, 4294967000u}, {0xFFFFFFFFu, 4294967000u}};
  for (const auto& c : sends) {
    camera.SetSetting(kSetExposure, c.us);
    EXPECT_EQ(FakeDriver().settings[kSetExposure], c.ns) << c.us;
  }
  FakeDriver().settings[kSetExposure] = 1999999;
  std::uint32_t us = 0;
  EXPECT_EQ(camera.GetSetting(kSetExposure, &us), 0);
  EXPECT_EQ(us, 1999u);
  // Other ids pass through unconverted.
  camera.SetSetting(kSetFramePeriod, 1234);
  EXPECT_EQ(FakeDriver().settings[kSetFramePeriod], 1234u);
}

TEST_F(CameraDevice, ClampExposureKeepsThePeriodLessOneMicrosecond) {
  CCamera camera(api_);
  ASSERT_EQ(camera.Open(1), 0);
  const struct { std::uint32_t period, in, out; int changed; } cases[] = {
      {10000000, 0, 9999, 1},      {10000000, 9999, 9999, 0}, {10000000, 10000, 9999, 1},
      {10000000, 1, 1, 0},         {1001000, 1000, 1000, 0},  {1001000, 1001, 1000, 1},
      {500, 7, 0, 1},              {4294967295u, kMaxExposureUs, 4294966, 1}};
  for (const auto& c : cases) {
    FakeDriver().settings[kSetFramePeriod] = c.period;
    std::uint32_t e = c.in;
    EXPECT_EQ(camera.ClampExposure(e), c.changed) << c.period << " " << c.in;
    EXPECT_EQ(e, c.out) << c.period << " " << c.in;
  }
  FakeDriver().settings.erase(kSetFramePeriod);
  std::uint32_t e = 0;
  EXPECT_EQ(camera.ClampExposure(e), 0) << "a failed period read leaves the value";
  EXPECT_EQ(e, 0u);
}

TEST_F(CameraDevice, RateIsLimitedByTheShortestPeriod) {
  CCamera camera(api_);
  ASSERT_EQ(camera.Open(1), 0);
  const struct { std::uint32_t minPeriod, in, out; int changed; } cases[] = {
      {1000000, 0, 1000, 1}, {1000000, 1001, 1000, 1}, {1000000, 1000, 1000, 0},
      {1000000, 5, 5, 0},    {0, 50, 10, 1},           {0, 10, 10, 0},
      {3000000, 400, 333, 1}};
  for (const auto& c : cases) {
    FakeDriver().settings[kSetMinFramePeriod] = c.minPeriod;
    std::uint32_t r = c.in;
    EXPECT_EQ(camera.ClampRate(r), c.changed) << c.minPeriod << " " << c.in;
    EXPECT_EQ(r, c.out);
  }
  FakeDriver().settings.erase(kSetMinFramePeriod);
  EXPECT_EQ(camera.GetMaxRate(), 10u) << "an unreadable minimum period counts as 0";
}

TEST_F(CameraDevice, FitRoiFitsEachAxisToTheSensor) {
  CCamera camera(api_);
  ASSERT_EQ(camera.Open(1), 0);
  FakeDriver().settings[kSetMaxWidth] = 1280;
  FakeDriver().settings[kSetMaxHeight] = 1024;
  const struct { int x, w, y, h, ex, ew, ey, eh; } cases[] = {
      {0, 0, 0, 0, 0, 1280, 0, 1024},        // 0 means the whole sensor
      {100, 0, 50, 0, 0, 1280, 0, 1024},     // ... starting at 0
      {-1, 500, -5, 10, 0, 500, 0, 10},      // negative origin
      {1281, 20, 1025, 20, 0, 20, 0, 20},    // origin beyond the sensor
      {1280, 20, 1024, 4, 1280, 0, 1024, 0}, // origin at the edge leaves no room
      {1000, 500, 1000, 100, 1000, 280, 1000, 24},  // size cut at the edge
      {10, 100, 20, 200, 10, 100, 20, 200},  // inside stays
      {10, -3, 20, -1, 0, 1280, 0, 1024},    // negative size counts as 0
  };
  for (const auto& c : cases) {
    CameraSettings r;
    SetDefaultSettings(r);
    r.RoiX0 = c.x;
    r.RoiWidth = c.w;
    r.RoiY0 = c.y;
    r.RoiHeight = c.h;
    camera.FitRoi(r);
    EXPECT_EQ(r.SensorWidth, 1280u);
    EXPECT_EQ(r.SensorHeight, 1024u);
    EXPECT_EQ(r.RoiX0, c.ex) << c.x << "," << c.w;
    EXPECT_EQ(r.RoiWidth, c.ew) << c.x << "," << c.w;
    EXPECT_EQ(r.RoiY0, c.ey) << c.y << "," << c.h;
    EXPECT_EQ(r.RoiHeight, c.eh) << c.y << "," << c.h;
  }
}

TEST_F(CameraDevice, FrameBytesFollowDepth) {
  CCamera camera(api_);
  ASSERT_EQ(camera.Open(1), 0);
  FakeDriver().settings[kSetRoiWidth] = 7;
  FakeDriver().settings[kSetRoiHeight] = 3;
  const struct { std::uint32_t depth, bpp; } cases[] = {
      {8, 1}, {1, 1}, {9, 2}, {10, 2}, {16, 2}, {17, 3}, {24, 3}, {25, 6}, {27, 6}, {30, 6}};
  for (const auto& c : cases) {
    FakeDriver().settings[kSetPixelDepth] = c.depth;
    EXPECT_EQ(camera.GetFrameBytes(), 21u * c.bpp) << c.depth;
  }
  std::uint32_t w = 0, h = 0, d = 0;
  camera.GetRoiFormat(&w, &h, &d);
  EXPECT_EQ(w, 7u);
  EXPECT_EQ(h, 3u);
  EXPECT_EQ(d, 30u);
  camera.GetRoiFormat(&w, &h, nullptr);  // the depth is optional
}

TEST_F(CameraDevice, ReadSettingsIntoFillsTheRecord) {
  auto& s = FakeDriver();
  s.settings[kSetGain] = 2;
  s.settings[kSetExposure] = 3456789;
  s.settings[kSetExposureMode] = 1;
  s.settings[kSetBitWindow] = 2;
  s.settings[kSetPixelDepth] = 10;
  s.settings[kSetRoiX0] = 4;
  s.settings[kSetRoiY0] = 6;
  s.settings[kSetRoiWidth] = 640;
  s.settings[kSetRoiHeight] = 480;
  s.settings[kSetSyncIn] = 3;
  s.settings[kSetTriggerIn] = 2;
  s.settings[kSetRecordMode] = 1;
  s.settings[kSetRecordFrames] = 500;
  s.settings[kSetPreTriggerFrames] = 50;
  CCamera camera(api_);
  ASSERT_EQ(camera.Open(1), 0);

  const struct { std::uint32_t period, rate; } rates[] = {
      {0, 100}, {3000000, 333}, {1500000, 667}, {10000000, 100}, {2000000000u, 1}, {4000000000u, 0}};
  for (const auto& c : rates) {
    s.settings[kSetFramePeriod] = c.period;
    CameraSettings r;
    SetDefaultSettings(r);
    r.LiveTimeOut = 1;
    ASSERT_EQ(camera.ReadSettingsInto(r), 0);
    EXPECT_EQ(r.Rate, c.rate) << c.period;
    EXPECT_EQ(r.LiveTimeOut, 5000u);
    EXPECT_EQ(r.Gain, 2u);
    EXPECT_EQ(r.Exposure, 3456u);
    EXPECT_EQ(r.ExpMode, 1u);
    EXPECT_EQ(r.BitWindow, 2u);
    EXPECT_EQ(r.PixelDepth, 10u);
    EXPECT_EQ(r.RoiX0, 4);
    EXPECT_EQ(r.RoiY0, 6);
    EXPECT_EQ(r.RoiWidth, 640);
    EXPECT_EQ(r.RoiHeight, 480);
    EXPECT_EQ(r.SyncInCfg, 3u);
    EXPECT_EQ(r.TriggerInCfg, 2u);
    EXPECT_EQ(r.RecordMode, 1u);
    EXPECT_EQ(r.AcquisitionFrames, 500u);
    EXPECT_EQ(r.AcquisitionPreTriggerFrames, 50u);
  }

  // Settings the driver does not know read as 0; a failed read leaves the record alone.
  s.settings.erase(kSetGain);
  CameraSettings r;
  SetDefaultSettings(r);
  r.Gain = 9;
  ASSERT_EQ(camera.ReadSettingsInto(r), 0);
  EXPECT_EQ(r.Gain, 0u);
  s.readSettingsStatus = 3;
  CameraSettings before;
  SetDefaultSettings(before);
  CameraSettings after = before;
  EXPECT_EQ(camera.ReadSettingsInto(after), 3);
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
}

TEST_F(CameraDevice, OpenFixesUpModelOneOnly) {
  const struct { std::uint32_t model, subtype; bool fixed; } cases[] = {
      {1, 0, true}, {1, 1, true}, {1, 2, false}, {2, 0, false}, {3, 1, false}};
  for (const auto& c : cases) {
    const TessaDriverApi& api = ResetFakeDriver();
    auto& s = FakeDriver();
    s.info[kInfoModelCode] = {c.model, 0};
    s.info[kInfoSubtype] = {c.subtype, 0};
    s.info[kInfoSensorWidth] = {1280, 0};
    CCamera camera(api);
    ASSERT_EQ(camera.Open(5), 0);
    EXPECT_TRUE(camera.IsOpen());
    EXPECT_EQ(FakeDriverCalled("SetSetting 15 1260"), c.fixed) << c.model << "/" << c.subtype;
    EXPECT_EQ(FakeDriverCalled("ApplySettings"), c.fixed);
    EXPECT_EQ(s.calls.front(), "OpenCamera 5");
    EXPECT_EQ(s.calls[1], "InitSettings 77 1024") << "block size word set before initialising";
  }
}

TEST_F(CameraDevice, FailedOpenLeavesTheCameraClosed) {
  FakeDriver().openStatus = 3;
  {
    CCamera camera(api_);
    EXPECT_EQ(camera.Open(1), 3);
    EXPECT_FALSE(camera.IsOpen());
    EXPECT_FALSE(FakeDriverCalled("GetCameraInfo")) << "no reads after a failed open";
    EXPECT_FALSE(FakeDriverCalled("InitSettings"));
  }
  EXPECT_FALSE(FakeDriverCalled("CloseCamera")) << "nothing to close";

  // A failed initialisation keeps the driver handle, which closing then releases.
  ResetFakeDriver();
  FakeDriver().initStatus = 8;
  {
    CCamera camera(api_);
    EXPECT_EQ(camera.Open(1), 8);
    EXPECT_FALSE(camera.IsOpen());
    EXPECT_FALSE(FakeDriverCalled("GetCameraInfo"));
  }
  EXPECT_TRUE(FakeDriverCalled("CloseCamera 77"));
}

TEST_F(CameraDevice, MissingDriverIsACleanState) {
  const TessaDriverApi none{};
  CCamera camera(none);
  EXPECT_EQ(camera.Open(1), kCamNoDriver);
  EXPECT_FALSE(camera.IsOpen());
  EXPECT_EQ(camera.AllocFrameBuffer(2), 0u);
  EXPECT_EQ(camera.GrabLive(), kDrvBufferTooSmall);
  EXPECT_EQ(camera.GetModelCode(), 0);
  EXPECT_EQ(camera.GetMemorySize(), 0u);
  EXPECT_EQ(camera.GetMaxRate(), 10u);
  EXPECT_EQ(CCameraHandle::Startup(none, 0), kCamNoDriver);
  EXPECT_EQ(camera.Close(), 0);
}

TEST_F(CameraDevice, FrameBufferIsKeptZeroedOrFallsBack) {
  CCamera camera(api_);
  ASSERT_EQ(camera.Open(1), 0);
  EXPECT_EQ(camera.AllocFrameBuffer(2), 1280u * 1024 * 6);
  std::uint8_t* first = camera.FrameBuffer();
  ASSERT_NE(first, nullptr);
  first[12345] = 0x5A;
  // The same size keeps the block and what it holds.
  EXPECT_EQ(camera.AllocFrameBuffer(2), 1280u * 1024 * 6);
  EXPECT_EQ(camera.FrameBuffer()[12345], 0x5A);
  // A new size gives a zeroed block.
  EXPECT_EQ(camera.AllocFrameBuffer(1), 1280u * 1024 * 3);
  for (std::uint32_t i = 0; i < camera.FrameBufferSize(); i += 4099) {
    ASSERT_EQ(camera.FrameBuffer()[i], 0) << i;
  }
  camera.FrameBuffer()[7] = 1;
  // A size that cannot be had falls back to the previous size, zeroed again.
  FakeDriver().info[kInfoSensorWidth] = {65535, 0};
  FakeDriver().info[kInfoSensorHeight] = {65535, 0};
  EXPECT_EQ(camera.AllocFrameBuffer(2), 1280u * 1024 * 3);
  ASSERT_NE(camera.FrameBuffer(), nullptr);
  EXPECT_EQ(camera.FrameBuffer()[7], 0);
  camera.FreeFrameBuffer();
  EXPECT_EQ(camera.FrameBuffer(), nullptr);
  EXPECT_EQ(camera.FrameBufferSize(), 0u);
  // With nothing to fall back to, there is no buffer.
  EXPECT_EQ(camera.AllocFrameBuffer(2), 0u);
  EXPECT_EQ(camera.FrameBuffer(), nullptr);
}

TEST_F(CameraDevice, GrabsNeverExceedTheFrameBuffer) {
  CCamera camera(api_);
  ASSERT_EQ(camera.Open(1), 0);
  ASSERT_EQ(camera.AllocFrameBuffer(2), 1280u * 1024 * 6);
  camera.SetLiveTimeOut(250);
  const std::uint32_t pixels = 1280 * 1024;
  const struct { std::uint32_t depth, mode; int status; std::uint32_t bytes, frames; } cases[] = {
      {8, 0, 0, pixels, 1},        {10, 1, 0, pixels * 4, 2}, {24, 1, 0, pixels * 6, 2},
      {30, 0, 0, pixels * 6, 1},   {30, 1, kDrvBufferTooSmall, 0, 0}};
  for (const auto& c : cases) {
    FakeDriver().calls.clear();
    FakeDriver().settings[kSetPixelDepth] = c.depth;
    FakeDriver().settings[kSetExposureMode] = c.mode;
    EXPECT_EQ(camera.GrabLive(), c.status) << c.depth << "/" << c.mode;
    if (c.status == 0) {
      EXPECT_TRUE(FakeDriverCalled("GrabFrames " + std::to_string(c.bytes) + " " +
                                   std::to_string(c.frames) + " 250"));
    } else {
      EXPECT_FALSE(FakeDriverCalled("GrabFrames"));
    }
  }
  FakeDriver().settings[kSetPixelDepth] = 8;
  FakeDriver().settings[kSetExposureMode] = 1;
  EXPECT_EQ(camera.GrabDuringRecording(), 0);
  EXPECT_TRUE(FakeDriverCalled("GrabDuringRecording " + std::to_string(pixels * 2) + " 2 0"));
}

TEST_F(CameraDevice, FrameTableIsUsedOnlyByItsModelsAndNeverOverrun) {
  const struct { std::uint32_t model, mode; bool table; } models[] = {
      {18, 0, true}, {19, 0, true}, {20, 0, true}, {20, 1, false}, {17, 0, false}, {21, 0, false}};
  for (const auto& m : models) {
    const TessaDriverApi& api = ResetFakeDriver();
    FakeDriver().info[kInfoModelCode] = {m.model, 0};
    FakeDriver().info[kInfoFrameTableMode] = {m.mode, 0};
    FakeDriver().info[kInfoSensorWidth] = {64, 0};
    FakeDriver().info[kInfoSensorHeight] = {64, 0};
    CCamera camera(api);
    ASSERT_EQ(camera.Open(1), 0);
    camera.AllocFrameBuffer(2);

    EXPECT_EQ(camera.ReadFrameTable(0, 101), 0);
    EXPECT_EQ(FakeDriverCalled("ReadFrameTable 0 101"), m.table) << m.model;
    EXPECT_EQ(camera.ReadFrame(0x500, 0, 7), 0);
    if (m.table) {
      // The passed address is ignored: the table's entry for the index, and driver index 0.
      EXPECT_TRUE(FakeDriverCalled("ReadFrame " + std::to_string(0x1000 + 7 * 0x100) + " 0 0"));
      EXPECT_EQ(camera.ReadFrameTable(0, 5000), 0);
      EXPECT_TRUE(FakeDriverCalled("ReadFrameTable 0 2048")) << "capped at the table";
      EXPECT_EQ(camera.ReadFrameTable(2000, 100), 0);
      EXPECT_TRUE(FakeDriverCalled("ReadFrameTable 2000 48"));
      FakeDriver().calls.clear();
      EXPECT_EQ(camera.ReadFrameTable(2048, 1), kCamOutOfRange);
      EXPECT_EQ(camera.ReadFrameTable(-1, 1), kCamOutOfRange);
      EXPECT_EQ(camera.ReadFrame(0, 0, 2048), kCamOutOfRange);
      EXPECT_EQ(camera.ReadFrame(0, 0, -1), kCamOutOfRange);
      EXPECT_EQ(camera.ReadFrame(0, 0, 2047), 0);
      EXPECT_TRUE(FakeDriverCalled("ReadFrame " + std::to_string(0x1000 + 2047 * 0x100) + " 0 0"));
      EXPECT_FALSE(FakeDriverCalled("ReadFrameTable"));
    } else {
      EXPECT_TRUE(FakeDriverCalled("ReadFrame 1280 0 7"));
      EXPECT_EQ(camera.ReadFrame(0x500, 3, 5000), 0) << "the driver judges other models' indices";
    }
  }
}

TEST_F(CameraDevice, ItemGettersReadTheFirstValue) {
  auto& s = FakeDriver();
  s.info[kInfoSerial] = {1234567890, 9};
  s.info[kInfoVariant] = {3, 9};
  s.info[kInfoRecordBase] = {0x10000, 9};
  s.info[kInfoColor] = {2, 0};
  s.info[kInfoMemorySize] = {0x00000000, 0x4};
  CCamera camera(api_);
  ASSERT_EQ(camera.Open(1), 0);
  EXPECT_EQ(camera.GetCameraSerial(), 1234567890u);
  EXPECT_EQ(camera.GetModelVariant(), 3u);
  EXPECT_EQ(camera.GetRecordBase(), 0x10000u);
  EXPECT_EQ(camera.IsColor(), 0) << "only 1 means colour";
  s.info[kInfoColor] = {1, 0};
  EXPECT_EQ(camera.IsColor(), 1);
  EXPECT_EQ(camera.GetMemorySize(), 16ull << 30);
  s.info.erase(kInfoSerial);
  EXPECT_EQ(camera.GetCameraSerial(), 0u) << "an unanswered item reads 0";
}

}  // namespace
