// The conformance suite run under Wine against TessaDrv.dll, loaded by ordinal like the product does.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>

#include "camera/CameraIds.h"
#include "platform/win32/HighAddressBlock.h"
#include "tests/tessadrv/ConformanceRunner.h"
#include "tests/tessadrv/ConformanceSupport.h"
#include "tests/tessadrv/DriverConfigFile.h"

namespace {

TEST(TessaDrvDll, LoadsEveryOrdinal) {
  ASSERT_TRUE(LoadedTessaDrv().IsLoaded());
  const TessaDriverApi& api = LoadedTessaDrv().Api();
  const void* const* entries = reinterpret_cast<const void* const*>(&api);
  for (int i = 0; i < kTessaEntryCount; ++i) EXPECT_NE(entries[i], nullptr) << "ordinal " << kTessaOrdinals[i];
}

DriverUnderTest DllUnderTest() {
  return {LoadedTessaDrv().Api(), [](const std::string& ini) { UseDriverConfiguration(ini); }};
}

// In the 64-bit build the frame buffers and the recording context lie above 4 GiB: an address cut
// to 32 bits on its way into the driver or back through the callback misses them.
TEST(TessaDrvDll, BuffersAndContextAboveFourGigabytes) {
  const DriverUnderTest d = DllUnderTest();
  Report report;
  {
    DriverSession session(d, "[Driver]\nCameras=1\nTimeScale=1000\n", report);
    OpenCamera camera(d.api, 1, report);
    report.Ok(camera.Apply({{kSetRoiWidth, 64}, {kSetRoiHeight, 16}, {kSetPixelDepth, 10}}), "small 10-bit frames");
    ASSERT_THAT(report.Take(), ::testing::IsEmpty());
    const PatternGeometry g = camera.Geometry();
    const std::size_t bytes = std::size_t{g.width} * g.height * 2;
    CHighAddressBlock frame(bytes), context(sizeof(CallbackProbe));
    ASSERT_TRUE(frame.IsPlacedAsRequired() && context.IsPlacedAsRequired());

    GrabRequest request{frame.Data(), static_cast<std::uint32_t>(bytes), 1, {}};
    report.Ok(d.api.GrabFrames(camera.Handle(), &request, 2000), "live grab");
    EXPECT_EQ(PatternMismatch(frame.Data(), g, 0), "");

    CallbackProbe* probe = new (context.Data()) CallbackProbe;
    const std::uint64_t base = camera.RecordBase();
    report.Ok(d.api.StartRecording(camera.Handle(), static_cast<std::uint32_t>(base),
                                   static_cast<std::uint32_t>(base >> 32), 4, 0, ProbeCallback, 1, probe->Context()),
              "start 4 frames");
    EXPECT_TRUE(probe->WaitForCall(5000)) << "the callback reached the context";
    probe->~CallbackProbe();
    std::memset(frame.Data(), 0, bytes);
    report.Ok(d.api.ReadFrame(camera.Handle(), static_cast<std::uint32_t>(base), static_cast<std::uint32_t>(base >> 32),
                              3, frame.Data()),
              "read slot 3");
    EXPECT_EQ(PatternMismatch(frame.Data(), g, 3), "");
  }
  EXPECT_THAT(report.Take(), ::testing::IsEmpty());
}

const bool registered = RegisterConformanceTests("DllConformance", DllUnderTest, __FILE__, __LINE__);

}  // namespace
