// Conformance checks of live grabs: pacing, time-out, buffer size, double exposure, test pattern.
#include <atomic>
#include <chrono>
#include <cstring>

#include "camera/CameraIds.h"
#include "tests/tessadrv/ConformanceSupport.h"

namespace {

using Clock = std::chrono::steady_clock;

std::size_t FrameBytesOf(const PatternGeometry& g) {
  const std::uint32_t bpp = g.depth <= 8 ? 1 : g.depth <= 16 ? 2 : g.depth <= 24 ? 3 : 6;
  return static_cast<std::size_t>(g.width) * g.height * bpp;
}

void ExpectFrame(const std::uint8_t* frame, const PatternGeometry& g, std::uint32_t n, const std::string& what,
                 Report& report) {
  const std::string mismatch = PatternMismatch(frame, g, n);
  report.Expect(mismatch.empty(), what + ": " + mismatch);
}

}  // namespace

Violations CheckLiveGrab(const DriverUnderTest& d) {
  Report report;
  DriverSession session(d, "[Driver]\nCameras=1\nTimeScale=1\n", report);
  const TessaDriverApi& api = d.api;
  OpenCamera camera(api, 1, report);
  report.Ok(camera.Apply({{kSetRoiX0, 10}, {kSetRoiY0, 20}, {kSetRoiWidth, 64}, {kSetRoiHeight, 16},
                          {kSetPixelDepth, 10}, {kSetFramePeriod, 5000000}}),
            "5 ms frames");
  const PatternGeometry g = camera.Geometry();
  std::vector<std::uint8_t> frames;

  // Live frames are numbered from 0 since the open and come one frame period apart.
  const auto start = Clock::now();
  for (std::uint32_t i = 0; i < 8; ++i) {
    report.Ok(camera.Grab(frames), "paced grab");
    report.Equal(StampOf(frames.data(), g), i, "live frame number");
  }
  const auto elapsed = Clock::now() - start;
  report.Expect(elapsed >= std::chrono::milliseconds(38), "eight 5 ms frames take at least 40 ms");
  ExpectFrame(frames.data(), g, 7, "live frame 7", report);

  // A frame that cannot arrive within the time-out is a time-out after waiting for it.
  report.Ok(camera.Apply({{kSetFramePeriod, 300000000}}), "300 ms frames");
  const auto timeoutStart = Clock::now();
  report.Equal(camera.Grab(frames, 20), kDrvTimeout, "grab with a time-out shorter than the period");
  const auto waited = Clock::now() - timeoutStart;
  report.Expect(waited >= std::chrono::milliseconds(15) && waited < std::chrono::milliseconds(250),
                "the time-out is honoured");
  report.Ok(camera.Apply({{kSetFramePeriod, 5000000}}), "back to 5 ms frames");
  report.Ok(camera.Grab(frames), "grab after a time-out");
  report.Equal(StampOf(frames.data(), g), 8u, "a timed-out grab delivers no frame");

  // Too small a buffer is refused before anything is written.
  const std::size_t bytes = FrameBytesOf(g);
  std::vector<std::uint8_t> buffer(bytes * 2, 0xCD);
  GrabRequest small{buffer.data(), static_cast<std::uint32_t>(bytes - 1), 1, {}};
  report.Equal(api.GrabFrames(camera.Handle(), &small, 1000), kDrvBufferTooSmall, "one byte short");
  report.Expect(buffer[0] == 0xCD && buffer[bytes - 2] == 0xCD, "a refused grab writes nothing");
  GrabRequest none{nullptr, static_cast<std::uint32_t>(bytes), 1, {}};
  report.Failed(api.GrabFrames(camera.Handle(), &none, 1000), "grab without a buffer");
  report.Failed(api.GrabFrames(camera.Handle(), nullptr, 1000), "grab without a request");

  // The driver does not hold its lock while a grab waits for its frame.
  report.Ok(camera.Apply({{kSetFramePeriod, 300000000}}), "300 ms frames");
  std::vector<std::uint8_t> slowFrame(bytes);
  GrabRequest slowRequest{slowFrame.data(), static_cast<std::uint32_t>(bytes), 1, {}};
  std::atomic<int> slowStatus{-1};
  std::thread slow([&] { slowStatus = api.GrabFrames(camera.Handle(), &slowRequest, 2000); });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const auto askStart = Clock::now();
  std::uint32_t first = 0, second = 0;
  report.Ok(api.GetCameraInfo(camera.Handle(), kInfoSerial, &first, &second), "information during a grab");
  report.Expect(Clock::now() - askStart < std::chrono::milliseconds(100), "other calls go through while a grab waits");
  slow.join();
  report.Ok(slowStatus.load(), "the slow grab");
  report.Ok(camera.Apply({{kSetFramePeriod, 5000000}}), "5 ms frames again");

  // Double exposure: two frames per grab, numbered on.
  report.Ok(camera.Apply({{kSetExposureMode, 1}}), "double exposure");
  GrabRequest single{buffer.data(), static_cast<std::uint32_t>(bytes), 2, {}};
  report.Equal(api.GrabFrames(camera.Handle(), &single, 1000), kDrvBufferTooSmall, "room for one of two frames");
  report.Ok(camera.Grab(frames), "double grab");
  report.Equal(frames.size(), bytes * 2, "two frames requested");
  if (frames.size() == bytes * 2) {
    ExpectFrame(frames.data(), g, 10, "first of two", report);
    ExpectFrame(frames.data() + bytes, g, 11, "second of two", report);
  }

  // Numbering starts again with the next open.
  api.CloseCamera(camera.Handle());
  OpenCamera reopened(api, 1, report);
  reopened.Apply({{kSetRoiWidth, 64}, {kSetRoiHeight, 16}});
  report.Ok(reopened.Grab(frames), "grab after reopening");
  report.Equal(StampOf(frames.data(), reopened.Geometry()), 0u, "frame number after reopening");
  return report.Take();
}

Violations CheckTestPattern(const DriverUnderTest& d) {
  Report report;
  DriverSession session(d, "[Driver]\nCameras=2\nTimeScale=1000\n[Camera1]\nColor=1\n", report);
  const TessaDriverApi& api = d.api;
  OpenCamera mono(api, 1, report);
  OpenCamera colour(api, 2, report);
  const struct { OpenCamera* camera; std::uint32_t depth, window; } formats[] = {
      {&mono, 8, 0}, {&mono, 8, 1}, {&mono, 8, 2}, {&mono, 9, 0}, {&mono, 10, 0},
      {&colour, 24, 0}, {&colour, 24, 1}, {&colour, 24, 2}, {&colour, 27, 0}, {&colour, 30, 0}};
  std::uint32_t monoFrames = 0, colourFrames = 0;
  std::vector<std::uint8_t> frames;
  // Regions whose samples wrap at 1024 along a row, and one narrower than the stamp.
  const struct { std::uint32_t x0, y0, width, height; } regions[] = {{900, 7, 300, 12}, {3, 1000, 5, 3}};
  for (const auto& f : formats) {
    for (const auto& r : regions) {
      const std::string what = "depth " + std::to_string(f.depth) + " window " + std::to_string(f.window) +
                               " width " + std::to_string(r.width);
      report.Ok(f.camera->Apply({{kSetPixelDepth, f.depth}, {kSetBitWindow, f.window}, {kSetRoiX0, r.x0},
                                 {kSetRoiY0, r.y0}, {kSetRoiWidth, r.width}, {kSetRoiHeight, r.height}}),
                what);
      std::uint32_t& n = f.camera == &mono ? monoFrames : colourFrames;
      report.Ok(f.camera->Grab(frames), what + " grab");
      ExpectFrame(frames.data(), f.camera->Geometry(), n++, what, report);
    }
  }
  // One whole sensor frame.
  report.Ok(mono.Apply({{kSetPixelDepth, 8}, {kSetBitWindow, 0}, {kSetRoiX0, 0}, {kSetRoiY0, 0}, {kSetRoiWidth, 0},
                        {kSetRoiHeight, 0}}),
            "full sensor");
  report.Ok(mono.Grab(frames), "full sensor grab");
  ExpectFrame(frames.data(), mono.Geometry(), monoFrames, "full sensor", report);
  return report.Take();
}

Violations CheckGrabsDuringRecording(const DriverUnderTest& d) {
  Report report;
  DriverSession session(d, "[Driver]\nCameras=2\nTimeScale=1000\n[Camera1]\nLiveWhileRecording=0\n", report);
  const TessaDriverApi& api = d.api;
  OpenCamera camera(api, 1, report);
  report.Ok(camera.Apply({{kSetRoiWidth, 64}, {kSetRoiHeight, 16}, {kSetFramePeriod, 100000000}}), "100 ms frames");
  const PatternGeometry g = camera.Geometry();
  std::vector<std::uint8_t> frames;
  report.Ok(camera.Grab(frames), "live grab before recording");
  const std::uint64_t base = camera.RecordBase();
  // 100 000 frames of 100 ms at 1000 times speed: 10 s, far longer than this check.
  report.Ok(api.StartRecording(camera.Handle(), static_cast<std::uint32_t>(base), static_cast<std::uint32_t>(base >> 32),
                               100000, 0, nullptr, 1, 0),
            "start a long recording");
  report.Equal(camera.Grab(frames), kDrvBusy, "live grab during a recording");
  report.Equal(api.StartRecording(camera.Handle(), 0, 0, 10, 0, nullptr, 1, 0), kDrvBusy, "second recording");
  WaitUntil([&] { return ReadStatus(api, camera.Handle()).recorded >= 20; }, 5000);
  const int before = ReadStatus(api, camera.Handle()).recorded;
  std::vector<std::uint8_t> frame(FrameBytesOf(g), 0xCD);
  GrabRequest request{frame.data(), static_cast<std::uint32_t>(frame.size()), 1, {}};
  report.Ok(api.GrabDuringRecording(camera.Handle(), &request, 0), "grab during recording");
  const int after = ReadStatus(api, camera.Handle()).recorded;
  const auto n = static_cast<int>(StampOf(frame.data(), g));
  report.Expect(n >= before - 1 && n <= after - 1, "the latest recorded frame: " + std::to_string(n) + " between " +
                                                       std::to_string(before - 1) + " and " + std::to_string(after - 1));
  ExpectFrame(frame.data(), g, static_cast<std::uint32_t>(n), "frame grabbed during recording", report);
  GrabRequest small{frame.data(), static_cast<std::uint32_t>(frame.size() - 1), 1, {}};
  report.Equal(api.GrabDuringRecording(camera.Handle(), &small, 0), kDrvBufferTooSmall, "small buffer while recording");
  int out = 0;
  report.Ok(api.StopRecording(camera.Handle(), &out), "stop");
  report.Equal(ReadStatus(api, camera.Handle()).active, 0, "stopped");
  report.Ok(camera.Apply({{kSetFramePeriod, 1000000}}), "1 ms frames");
  report.Ok(camera.Grab(frames), "live grab after the recording");
  report.Equal(StampOf(frames.data(), g), 1u, "live numbering goes on past a recording");

  OpenCamera blind(api, 2, report);
  blind.Apply({{kSetRoiWidth, 64}, {kSetRoiHeight, 16}, {kSetFramePeriod, 100000000}});
  report.Ok(api.StartRecording(blind.Handle(), 0, 0, 100000, 0, nullptr, 1, 0), "start on a camera without live images");
  report.Equal(api.GrabDuringRecording(blind.Handle(), &request, 0), kDrvBusy, "no live images while recording");
  report.Ok(api.StopRecording(blind.Handle(), &out), "stop");
  return report.Take();
}
