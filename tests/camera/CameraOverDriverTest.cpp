// The camera device over the real simulated driver (natively bound to its core, under Wine
// through TessaDrv.dll by ordinal): enumeration, open, live grabs with the test pattern,
// recordings with their callback, frame reads and the frame table.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "acquisition/CameraSettings.h"
#include "camera/CCamera.h"
#include "camera/CameraIds.h"
#include "platform/tessadrv/TestPattern.h"
#include "tests/camera/DriverUnderTest.h"

namespace {

std::string Driver(const std::string& cameras) {
  return "[Driver]\nTimeScale=1000\n" + cameras;
}

// A started driver and one opened camera, closed and shut down at the end.
class CameraOverDriver : public ::testing::Test {
 protected:
  void Start(const std::string& ini, int cameraId = 1) {
    api_ = &DriverUnderTest(ini);
    ASSERT_NE(api_->Startup, nullptr) << "no driver";
    api_->Prepare(0, 1, 0);
    ASSERT_EQ(CCameraHandle::Startup(*api_, 0), 0);
    camera_ = std::make_unique<CCamera>(*api_);
    ASSERT_EQ(camera_->Open(cameraId), 0);
    ASSERT_TRUE(camera_->IsOpen());
    ASSERT_NE(camera_->AllocFrameBuffer(2), 0u);
  }
  void TearDown() override {
    if (camera_) {
      camera_->FreeFrameBuffer();
      camera_->Close();
      camera_.reset();
    }
    if (api_) CCameraHandle::Shutdown(*api_);
  }

  void Configure(std::uint32_t depth, std::uint32_t window, std::uint32_t width = 64,
                 std::uint32_t height = 16, std::uint32_t x0 = 5, std::uint32_t y0 = 7) {
    camera_->SetSetting(kSetPixelFormat, PixelClassOf(depth));
    camera_->SetSetting(kSetPixelDepth, depth);
    camera_->SetSetting(kSetBitWindow, window);
    camera_->SetSetting(kSetRoiX0, x0);
    camera_->SetSetting(kSetRoiY0, y0);
    camera_->SetSetting(kSetRoiWidth, width);
    camera_->SetSetting(kSetRoiHeight, height);
    ASSERT_EQ(camera_->ApplySettings(), 0) << depth;
    geometry_ = {x0, y0, width, height, depth, window};
  }

  // Counts every pixel component that differs from the test pattern of frame n.
  int Mismatches(std::uint32_t n) const {
    int bad = 0;
    const std::uint32_t components = geometry_.depth > 16 ? 3 : 1;
    for (std::uint32_t y = 0; y < geometry_.height; ++y) {
      for (std::uint32_t x = 0; x < geometry_.width; ++x) {
        for (std::uint32_t c = 0; c < components; ++c) {
          bad += ReadFramePixel(camera_->FrameBuffer(), geometry_, x, y, c) !=
                 TestPatternExpected(geometry_, x, y, n, c);
        }
      }
    }
    return bad;
  }
  std::uint32_t Stamp() const { return ReadFrameStamp(camera_->FrameBuffer(), geometry_); }

  const TessaDriverApi* api_ = nullptr;
  std::unique_ptr<CCamera> camera_;
  PatternGeometry geometry_;
};

TEST_F(CameraOverDriver, EnumerationFollowsTheFamilyMask) {
  api_ = &DriverUnderTest(Driver(
      "[Driver]\nCameras=3\n[Camera0]\nId=0x10\nModel=3\nSerial=111\n"
      "[Camera1]\nId=0x20\nModel=10\nVariant=2\nLink=1\nColor=1\nSerial=222\n"
      "[Camera2]\nId=0x30\nModel=4\nSerial=333\n"));
  ASSERT_EQ(CCameraHandle::Startup(*api_, 0), 0);
  const struct { int mask; int count; std::uint32_t firstSerial; } cases[] = {
      {0x01, 2, 111}, {0x20, 1, 222}, {0x3B, 3, 111}, {0x80, 0, 0}};
  for (const auto& c : cases) {
    CameraEnumEntry entries[kMaxEnumEntries] = {};
    int count = kMaxEnumEntries;
    ASSERT_EQ(CCameraHandle::Enumerate(*api_, entries, &count, c.mask), 0);
    ASSERT_EQ(count, c.count) << c.mask;
    if (count) {
      EXPECT_EQ(entries[0].serial, c.firstSerial);
    }
  }
  CameraEnumEntry entries[kMaxEnumEntries] = {};
  int count = kMaxEnumEntries;
  CCameraHandle::Enumerate(*api_, entries, &count, 0x20);
  EXPECT_EQ(entries[0].cameraId, 0x20);
  EXPECT_EQ(entries[0].modelCode, 10);
  EXPECT_EQ(entries[0].colour, 1u);
  EXPECT_EQ(entries[0].linkType, 1u);
  EXPECT_EQ(entries[0].variant, 2u);

  CCamera camera(*api_);
  EXPECT_NE(camera.Open(0x99), 0) << "an unknown id does not open";
  EXPECT_FALSE(camera.IsOpen());
  ASSERT_EQ(camera.Open(0x20), 0);
  EXPECT_EQ(camera.GetModelCode(), 10);
  EXPECT_EQ(camera.GetCameraSerial(), 222u);
  EXPECT_EQ(camera.IsColor(), 1);
  EXPECT_EQ(camera.GetMemorySize(), 4096ull << 20);
  camera.Close();
  EXPECT_EQ(CCameraHandle::Shutdown(*api_), 0);
  api_ = nullptr;
}

TEST_F(CameraOverDriver, LiveGrabsDeliverTheTestPatternAtEveryDepth) {
  Start(Driver(""));
  const struct { std::uint32_t depth, window; } formats[] = {
      {8, 0}, {8, 1}, {8, 2}, {9, 0}, {10, 0}};
  std::uint32_t n = 0;
  for (const auto& f : formats) {
    Configure(f.depth, f.window);
    ASSERT_EQ(camera_->GrabLive(), 0);
    EXPECT_EQ(Mismatches(n), 0) << f.depth << "/" << f.window;
    EXPECT_EQ(Stamp(), n);
    ++n;
  }
  // Double exposure: two consecutive frames per grab.
  Configure(8, 0);
  camera_->SetSetting(kSetExposureMode, 1);
  ASSERT_EQ(camera_->ApplySettings(), 0);
  ASSERT_EQ(camera_->GrabLive(), 0);
  EXPECT_EQ(Stamp(), n);
  const auto frameBytes = camera_->GetFrameBytes();
  EXPECT_EQ(ReadFrameStamp(camera_->FrameBuffer() + frameBytes, geometry_), n + 1);
}

TEST_F(CameraOverDriver, ColourCamerasDeliverEveryComponent) {
  Start(Driver("[Driver]\nCameras=1\n[Camera0]\nColor=1\n"));
  const struct { std::uint32_t depth, window; } formats[] = {{24, 0}, {24, 1}, {24, 2}, {27, 0}, {30, 0}};
  std::uint32_t n = 0;
  for (const auto& f : formats) {
    Configure(f.depth, f.window);
    ASSERT_EQ(camera_->GrabLive(), 0);
    EXPECT_EQ(Mismatches(n++), 0) << f.depth << "/" << f.window;
  }
  // Two frames of six-byte pixels over the whole sensor would overrun the buffer: refused.
  Configure(30, 0, 1280, 1024, 0, 0);
  camera_->SetSetting(kSetExposureMode, 1);
  ASSERT_EQ(camera_->ApplySettings(), 0);
  EXPECT_EQ(camera_->GrabLive(), kDrvBufferTooSmall);
}

TEST_F(CameraOverDriver, ModelOneOpensWithoutItsLastColumns) {
  Start(Driver("[Driver]\nCameras=1\n[Camera0]\nModel=1\nSubType=1\n"));
  std::uint32_t width = 0, height = 0;
  camera_->GetRoiFormat(&width, &height, nullptr);
  EXPECT_EQ(width, 1260u);
  EXPECT_EQ(height, 1024u);
}

struct CallbackProbe {
  std::atomic<int> calls{0};
  std::atomic<TessaContext> context{0};
  static int TESSA_CALL Done(TessaContext context, int, int) {
    auto* probe = reinterpret_cast<CallbackProbe*>(context);
    probe->context = context;
    ++probe->calls;
    return 1;
  }
  bool WaitForCall() const {
    for (int i = 0; i < 5000 && calls == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return calls > 0;
  }
};

TEST_F(CameraOverDriver, CircularRecordingKeepsTheRingAroundTheTrigger) {
  Start(Driver("[Driver]\nCameras=1\n[Camera0]\nTriggerAfter=103\n"));
  Configure(8, 0);
  camera_->SetSetting(kSetRecordMode, 1);
  ASSERT_EQ(camera_->ApplySettings(), 0);
  CallbackProbe probe;
  const std::uint32_t base = camera_->GetRecordBase();
  ASSERT_EQ(camera_->StartRecording(base, 0, 100, 10, CallbackProbe::Done, 1,
                                    reinterpret_cast<TessaContext>(&probe)),
            0);
  ASSERT_TRUE(probe.WaitForCall());
  EXPECT_EQ(probe.context, reinterpret_cast<TessaContext>(&probe));
  int active = -1, recorded = 0, trigger = 0, triggered = 0;
  ASSERT_EQ(camera_->GetRecordingStatus(&active, &recorded, &trigger, &triggered), 0);
  EXPECT_EQ(trigger, 3) << "frame 103 lands in slot 3";
  // The ring holds frames 93 to 192: slot s holds the last frame recorded into it.
  const struct { int slot; std::uint32_t frame; } slots[] = {{93, 93}, {99, 99}, {0, 100}, {2, 102},
                                                             {3, 103}, {92, 192}};
  for (const auto& s : slots) {
    ASSERT_EQ(camera_->ReadFrame(base, 0, s.slot), 0);
    EXPECT_EQ(Stamp(), s.frame) << s.slot;
    EXPECT_EQ(Mismatches(s.frame), 0);
  }
  int out = 0;
  EXPECT_EQ(camera_->StopRecording(&out), 0);
  EXPECT_EQ(probe.calls, 1) << "exactly once";
}

TEST_F(CameraOverDriver, StoppedRecordingsNeverCallBack) {
  Start(Driver(""));
  Configure(8, 0);
  camera_->SetSetting(kSetRecordMode, 1);
  ASSERT_EQ(camera_->ApplySettings(), 0);
  CallbackProbe probe;
  ASSERT_EQ(camera_->StartRecording(0, 0, 50, 5, CallbackProbe::Done, 1,
                                    reinterpret_cast<TessaContext>(&probe)),
            0);
  EXPECT_EQ(camera_->GrabLive(), kDrvBusy) << "the camera records";
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(camera_->GrabDuringRecording(), 0) << "the latest recorded frame";
  int out = 0;
  EXPECT_EQ(camera_->StopRecording(&out), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(probe.calls, 0);
}

TEST_F(CameraOverDriver, FrameTableModelsAreReadThroughTheTable) {
  Start(Driver("[Driver]\nCameras=1\n[Camera0]\nModel=19\nFrameTableMode=0\n"));
  Configure(8, 0);
  CallbackProbe probe;
  ASSERT_EQ(camera_->StartRecording(0, 0, 30, 0, CallbackProbe::Done, 1,
                                    reinterpret_cast<TessaContext>(&probe)),
            0);
  ASSERT_TRUE(probe.WaitForCall());
  ASSERT_EQ(camera_->ReadFrameTable(0, 31), 0);
  for (int index : {0, 1, 17, 29}) {
    ASSERT_EQ(camera_->ReadFrame(0, 0, index), 0) << index;
    EXPECT_EQ(Stamp(), static_cast<std::uint32_t>(index));
  }
  EXPECT_EQ(camera_->ReadFrame(0, 0, kFrameTableEntries), kCamOutOfRange);

  // Without the table the same camera refuses plain addressing instead of reading wrong frames.
  int h = camera_->DriverHandle();
  EXPECT_NE(api_->ReadFrame(h, 0, 0, 5, camera_->FrameBuffer()), 0);
}

}  // namespace
