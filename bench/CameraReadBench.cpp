// Frame reads from camera memory through the camera device, against memcpy of the same bytes.
// Run with scripts/bench.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"
#include "bench/RecordedFrames.h"
#include "camera/CCamera.h"
#include "camera/CameraIds.h"
#include "platform/tessadrv/SimulatorApi.h"

namespace {

void MeasureDepth(CCamera& camera, std::uint32_t depth) {
  constexpr int kFrames = 64;
  RecordFrames(camera, depth, 1280, 1024, kFrames);

  const std::size_t bytes = camera.GetFrameBytes();
  std::vector<std::uint8_t> source(bytes, 0x5A), target(bytes);
  int slot = 0;
  const PairTiming t = MedianPair(
      [&] {
        camera.ReadFrame(0, 0, slot);
        slot = (slot + 1) % kFrames;
        KeepAlive(camera.FrameBuffer());
      },
      [&] {
        std::memcpy(target.data(), source.data(), bytes);
        KeepAlive(target.data());
      });
  const std::string name = "camera_read_frame_" + std::to_string(depth) + "bit_1280x1024";
  PrintFigure(name.c_str(), bytes / t.seconds / 1e9, "GB/s", t.peerSeconds / t.seconds, "memcpy");
}

}  // namespace

int main() {
  Simulator().SetConfigOverride("[Driver]\nTimeScale=100000\n");
  const TessaDriverApi& api = SimulatorDriverApi();
  CCameraHandle::Startup(api, 0);
  CCamera camera(api);
  if (camera.Open(1) != 0 || camera.AllocFrameBuffer(2) == 0) return 1;
  for (std::uint32_t depth : {8u, 10u}) MeasureDepth(camera, depth);
  camera.FreeFrameBuffer();
  camera.Close();
  CCameraHandle::Shutdown(api);
  return 0;
}
