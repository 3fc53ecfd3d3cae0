// The simulator itself: where its configuration comes from, and many callers at once.
#include "platform/tessadrv/TessaSimulator.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <thread>
#include <vector>

#include "camera/CameraIds.h"
#include "platform/tessadrv/SimulatorApi.h"

namespace {

void SetEnvironment(const char* name, const char* value) {
#if defined(_WIN32)
  _putenv_s(name, value ? value : "");
#else
  if (value) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
#endif
}

int CamerasListed(TessaSimulator& sim) {
  CameraEnumEntry entries[kMaxEnumEntries];
  int count = kMaxEnumEntries;
  return sim.EnumerateCameras(entries, &count, 0xFF) == kDrvOk ? count : -1;
}

}  // namespace

TEST(TessaSimulator, ConfigurationComesFromOverrideFileOrDefault) {
  const char* path = "tessasim-config-test.ini";
  std::FILE* f = std::fopen(path, "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("[Driver]\nCameras=3\n", f);
  std::fclose(f);

  TessaSimulator sim;
  SetEnvironment("TESSADRV_CONFIG", path);
  ASSERT_EQ(sim.Startup(0), kDrvOk);
  EXPECT_EQ(CamerasListed(sim), 3) << "the file named by TESSADRV_CONFIG";
  sim.Shutdown();

  sim.SetConfigOverride("[Driver]\nCameras=5\n");
  ASSERT_EQ(sim.Startup(0), kDrvOk);
  EXPECT_EQ(CamerasListed(sim), 5) << "the override wins over the file";
  sim.Shutdown();
  sim.ClearConfigOverride();

  SetEnvironment("TESSADRV_CONFIG", "no-such-dir/missing.ini");
  EXPECT_EQ(sim.Startup(0), kDrvFailed) << "an unreadable file fails the start-up";
  EXPECT_EQ(CamerasListed(sim), -1);
  EXPECT_EQ(sim.Shutdown(), kDrvNotStarted);

  SetEnvironment("TESSADRV_CONFIG", nullptr);
  ASSERT_EQ(sim.Startup(0), kDrvOk);
  EXPECT_EQ(CamerasListed(sim), 1) << "the default camera";
  EXPECT_EQ(sim.Startup(0), kDrvOk) << "a second start-up keeps the driver as it is";
  sim.Shutdown();
  std::remove(path);
}

TEST(TessaSimulator, ARefusedConfigurationSaysWhyAndOffersNoCameras) {
  TessaSimulator sim;
  sim.SetConfigOverride("[Driver]\nCameras=2\n[Camera1]\nId=1\n");
  testing::internal::CaptureStderr();
  ASSERT_EQ(sim.Startup(0), kDrvOk);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("same Id 1"), std::string::npos) << said;
  EXPECT_EQ(CamerasListed(sim), 0);
  int handle = 0;
  EXPECT_EQ(sim.OpenCamera(1, &handle), kDrvBadArgument) << "no camera behind the id";
}

// Live grabs, setting changes, status polls and recordings from four threads at once, as the
// view's user-interface thread, its worker and the driver's recording threads do.
TEST(TessaSimulator, ManyCallersAtOnce) {
  TessaSimulator sim;
  sim.SetConfigOverride("[Driver]\nTimeScale=1000\n");
  ASSERT_EQ(sim.Startup(0), kDrvOk);
  int h = 0;
  ASSERT_EQ(sim.OpenCamera(1, &h), kDrvOk);
  CameraSettingsBlock setup{};
  setup.size = kSettingsBlockBytes;
  ASSERT_EQ(sim.InitSettings(h, &setup), kDrvOk);
  sim.SetSetting(h, &setup, kSetRoiWidth, 64);
  sim.SetSetting(h, &setup, kSetRoiHeight, 16);
  sim.SetSetting(h, &setup, kSetPixelDepth, 10);
  ASSERT_EQ(sim.ApplySettings(h, &setup), kDrvOk);

  std::atomic<bool> stop{false};
  std::atomic<int> unexpected{0};
  std::atomic<int> callbacks{0};
  const std::set<int> grabResults = {kDrvOk, kDrvBusy, kDrvBufferTooSmall, kDrvTimeout, kDrvNoData};
  auto grabber = [&] {
    std::vector<std::uint8_t> buffer(1280 * 1024 * 6 * 2);
    while (!stop) {
      GrabRequest request{buffer.data(), static_cast<std::uint32_t>(buffer.size()), 1, {}};
      const int live = sim.GrabFrames(h, &request, 50);
      const int during = sim.GrabDuringRecording(h, &request, 0);
      if (!grabResults.count(live) || !grabResults.count(during) ) ++unexpected;
    }
  };
  auto tuner = [&] {
    CameraSettingsBlock block{};
    block.size = kSettingsBlockBytes;
    for (std::uint32_t i = 0; !stop; ++i) {
      sim.ReadSettings(h, &block);
      sim.SetSetting(h, &block, kSetRoiWidth, 32 + i % 64);
      sim.SetSetting(h, &block, kSetRecordMode, i % 2);
      if (sim.ApplySettings(h, &block) != kDrvOk) ++unexpected;
    }
  };
  auto poller = [&] {
    while (!stop) {
      int a, b, c, d;
      std::uint32_t first, second;
      if (sim.GetRecordingStatus(h, &a, &b, &c, &d) != kDrvOk) ++unexpected;
      if (sim.GetCameraInfo(h, kInfoMemorySize, &first, &second) != kDrvOk) ++unexpected;
      sim.SoftwareTrigger(h);
    }
  };
  struct Counter {
    static int TESSA_CALL Done(TessaContext context, int, int) {
      ++*reinterpret_cast<std::atomic<int>*>(context);
      return 0;
    }
  };
  auto recorder = [&] {
    while (!stop) {
      const int status = sim.StartRecording(h, 0, 0, 50, 5, Counter::Done, 1, reinterpret_cast<TessaContext>(&callbacks));
      if (status != kDrvOk && status != kDrvBusy) ++unexpected;
      std::this_thread::sleep_for(std::chrono::microseconds(300));
      int out = 0;
      sim.StopRecording(h, &out);
    }
  };
  std::vector<std::thread> threads;
  threads.emplace_back(grabber);
  threads.emplace_back(tuner);
  threads.emplace_back(poller);
  threads.emplace_back(recorder);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  stop = true;
  for (auto& t : threads) t.join();
  EXPECT_EQ(unexpected.load(), 0);
  EXPECT_EQ(sim.Shutdown(), kDrvOk);
}
