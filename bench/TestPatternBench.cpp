// How long the simulator takes to generate a full-sensor test-pattern frame, against copying one.
//
// Build without sanitizers, in Release (scripts/bench does this):
//   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSELVAR_SANITIZE=OFF -DSELVAR_TESTS=OFF
//   cmake --build build/bench --target TestPatternBench && build/bench/bin/TestPatternBench
#include <cstring>
#include <vector>

#include "bench/BenchTiming.h"
#include "camera/CameraIds.h"
#include "platform/tessadrv/TestPattern.h"

int main() {
  const struct { const char* name; unsigned depth; } formats[] = {
      {"test_pattern_8bit_1280x1024", 8}, {"test_pattern_10bit_1280x1024", 10},
      {"test_pattern_24bit_1280x1024", 24}, {"test_pattern_30bit_1280x1024", 30}};
  for (const auto& f : formats) {
    const PatternGeometry g{0, 0, 1280, 1024, f.depth, 1};
    const std::size_t bytes = TestPatternFrameBytes(g);
    std::vector<std::uint8_t> frame(bytes), source(bytes, 7);
    std::uint32_t n = 0;
    const PairTiming t = MedianPair(
        [&] {
          FillTestPatternFrame(g, n++, frame.data());
          KeepAlive(frame.data());
        },
        [&] {
          std::memcpy(frame.data(), source.data(), bytes);
          KeepAlive(frame.data());
        });
    PrintFigure(f.name, t.seconds * 1e3, "ms per frame", t.seconds / t.peerSeconds,
                "memcpy of a frame");
  }
  return 0;
}
