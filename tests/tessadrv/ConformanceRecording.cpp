// Conformance checks of recordings into camera memory: slots, trigger, frame table, callbacks.
#include <chrono>
#include <cstring>

#include "camera/CameraIds.h"
#include "tests/tessadrv/ConformanceSupport.h"

namespace {

constexpr int kCallbackWaitMs = 2000;
const char* const kFastDriver = "[Driver]\nCameras=1\nTimeScale=1000\n";

int Start(const TessaDriverApi& api, OpenCamera& camera, std::uint64_t base, std::uint32_t frames,
          std::uint32_t preTrigger, CallbackProbe* probe) {
  return api.StartRecording(camera.Handle(), static_cast<std::uint32_t>(base), static_cast<std::uint32_t>(base >> 32),
                            frames, preTrigger, probe ? ProbeCallback : nullptr, 1, probe ? probe->Context() : 0);
}

// A small region, so that frames are cheap, at 1 ms per frame (1 us of real time at 1000 times speed).
void SmallFastFrames(OpenCamera& camera, std::uint32_t recordMode, Report& report) {
  report.Ok(camera.Apply({{kSetRoiX0, 5}, {kSetRoiY0, 3}, {kSetRoiWidth, 64}, {kSetRoiHeight, 16},
                          {kSetPixelDepth, 10}, {kSetFramePeriod, 1000000}, {kSetRecordMode, recordMode}}),
            "recording settings");
}

// Compares what every slot holds with the frame the ring should have kept there after
// `recorded` frames: the last k < recorded with k mod M = slot.
void ExpectSlots(OpenCamera& camera, std::uint64_t base, std::uint32_t frames, std::uint64_t recorded,
                 const PatternGeometry& g, Report& report) {
  std::vector<std::uint8_t> frame;
  for (std::uint32_t slot = 0; slot < frames; ++slot) {
    const std::string what = "slot " + std::to_string(slot);
    report.Ok(camera.ReadSlot(base, static_cast<int>(slot), g, frame), what);
    if (slot >= recorded) {
      report.Expect(AllZero(frame), what + " was never written and reads as zeros");
      continue;
    }
    const std::uint64_t want = slot + (recorded - 1 - slot) / frames * frames;
    report.Equal(StampOf(frame.data(), g), static_cast<std::uint32_t>(want), what + " frame");
    if (slot == 0 || slot + 1 == frames) {
      const std::string mismatch = PatternMismatch(frame.data(), g, static_cast<std::uint32_t>(want));
      report.Expect(mismatch.empty(), what + ": " + mismatch);
    }
  }
}

}  // namespace

Violations CheckNormalRecording(const DriverUnderTest& d) {
  Report report;
  DriverSession session(d, kFastDriver, report);
  const TessaDriverApi& api = d.api;
  OpenCamera camera(api, 1, report);
  SmallFastFrames(camera, 0, report);
  const PatternGeometry g = camera.Geometry();
  const std::uint64_t base = camera.RecordBase();
  CallbackProbe probe;
  report.Ok(Start(api, camera, base, 100, 10, &probe), "start 100 frames");
  report.Expect(probe.WaitForCall(kCallbackWaitMs), "the recording ends by itself");
  const RecordingStatus status = ReadStatus(api, camera.Handle());
  report.Equal(status.active, 0, "not active after the end");
  report.Equal(status.recorded, 100, "frames recorded");
  // Geometry changes after the recording do not change what memory holds.
  report.Ok(camera.Apply({{kSetRoiWidth, 32}, {kSetRoiHeight, 8}, {kSetPixelDepth, 8}}), "other geometry");
  ExpectSlots(camera, base, 100, 100, g, report);

  std::vector<std::uint8_t> frame;
  report.Equal(camera.ReadSlot(base, 100, g, frame), kDrvBadArgument, "slot beyond the recording");
  report.Equal(camera.ReadSlot(base + 1, 0, g, frame), kDrvBadArgument, "address inside a slot");
  report.Failed(camera.ReadSlot(base, -1, g, frame), "negative index");
  report.Failed(api.ReadFrame(camera.Handle(), 0, 0, 0, nullptr), "read without a buffer");

  // Each recording numbers its frames from 0 again.
  SmallFastFrames(camera, 0, report);
  const std::uint32_t frameBytes = camera.Get(kSetMemoryFrameBytes);
  CallbackProbe second;
  report.Ok(Start(api, camera, base, 10, 0, &second), "second recording");
  report.Expect(second.WaitForCall(kCallbackWaitMs), "second recording ends");
  ExpectSlots(camera, base, 10, 10, g, report);
  report.Ok(camera.ReadSlot(base + 3ull * frameBytes, 0, g, frame), "slot 3 by address");
  report.Equal(StampOf(frame.data(), g), 3u, "slot 3 by address holds frame 3");

  // A recording stopped early leaves the later slots unwritten.
  report.Ok(camera.Apply({{kSetFramePeriod, 100000000}}), "100 ms frames");
  CallbackProbe stopped;
  report.Ok(Start(api, camera, base, 1000, 0, &stopped), "slow recording");
  WaitUntil([&] { return ReadStatus(api, camera.Handle()).recorded >= 50; }, kCallbackWaitMs);
  int out = 0;
  report.Ok(api.StopRecording(camera.Handle(), &out), "stop early");
  const RecordingStatus early = ReadStatus(api, camera.Handle());
  report.Equal(early.active, 0, "stopped");
  report.Equal(out, early.recorded, "the stop tells how many frames were recorded");
  report.Expect(early.recorded >= 50 && early.recorded < 1000, "part of the frames recorded");
  if (early.recorded >= 50 && early.recorded < 990) {
    const auto recorded = static_cast<std::uint32_t>(early.recorded);
    for (const std::uint32_t slot : {0u, recorded - 1, recorded, recorded + 5}) {
      report.Ok(camera.ReadSlot(base, static_cast<int>(slot), g, frame), "slot after an early stop");
      if (slot < recorded) {
        report.Equal(StampOf(frame.data(), g), slot, "recorded slot");
      } else {
        report.Expect(AllZero(frame), "slot " + std::to_string(slot) + " unwritten reads as zeros");
      }
    }
  }
  return report.Take();
}

Violations CheckCircularRecording(const DriverUnderTest& d) {
  Report report;
  const struct { std::uint32_t triggerAfter; } rows[] = {{53}, {253}, {5}};
  for (const auto& row : rows) {
    DriverSession session(d, std::string(kFastDriver) + "[Camera0]\nTriggerAfter=" + std::to_string(row.triggerAfter) + "\n",
                          report);
    const TessaDriverApi& api = d.api;
    OpenCamera camera(api, 1, report);
    SmallFastFrames(camera, 1, report);
    const PatternGeometry g = camera.Geometry();
    const std::uint64_t base = camera.RecordBase();
    const std::uint32_t frames = 100, pre = 10;
    CallbackProbe probe;
    const std::string what = "trigger after " + std::to_string(row.triggerAfter);
    report.Ok(Start(api, camera, base, frames, pre, &probe), what + ": start");
    report.Expect(probe.WaitForCall(kCallbackWaitMs), what + ": the recording ends after its trigger");
    const RecordingStatus status = ReadStatus(api, camera.Handle());
    const std::uint64_t t = row.triggerAfter;
    // The ring ends with frame t + M - P - 1, so it holds frames t - P to t + M - P - 1.
    report.Equal(status.recorded, static_cast<int>(t + frames - pre), what + ": frames recorded");
    report.Equal(status.triggerIndex, static_cast<int>(t % frames), what + ": trigger index");
    report.Equal(status.triggered, 1, what + ": triggered");
    ExpectSlots(camera, base, frames, t + frames - pre, g, report);
  }
  return report.Take();
}

Violations CheckSoftwareTrigger(const DriverUnderTest& d) {
  Report report;
  DriverSession session(d, kFastDriver, report);
  const TessaDriverApi& api = d.api;
  OpenCamera camera(api, 1, report);
  SmallFastFrames(camera, 1, report);
  report.Failed(api.SoftwareTrigger(camera.Handle()), "trigger without a recording");
  report.Ok(camera.Apply({{kSetFramePeriod, 10000000}}), "10 ms frames");
  const PatternGeometry g = camera.Geometry();
  const std::uint64_t base = camera.RecordBase();
  const std::uint32_t frames = 100, pre = 10;
  CallbackProbe probe;
  report.Ok(Start(api, camera, base, frames, pre, &probe), "start circular");
  // Without a trigger a circular recording goes on past its length.
  WaitUntil([&] { return ReadStatus(api, camera.Handle()).recorded >= 150; }, kCallbackWaitMs);
  const RecordingStatus running = ReadStatus(api, camera.Handle());
  report.Equal(running.active, 1, "still recording past the ring's length");
  report.Equal(running.triggered, 0, "not triggered yet");
  report.Equal(probe.calls.load(), 0, "no callback before the trigger");
  report.Ok(api.SoftwareTrigger(camera.Handle()), "software trigger");
  const int afterTrigger = ReadStatus(api, camera.Handle()).recorded;
  report.Expect(probe.WaitForCall(kCallbackWaitMs), "the recording ends after the trigger");
  const RecordingStatus status = ReadStatus(api, camera.Handle());
  // The trigger frame t is the next frame to be recorded when the trigger came.
  const std::int64_t t = static_cast<std::int64_t>(status.recorded) - frames + pre;
  report.Expect(t >= running.recorded && t <= afterTrigger,
                "trigger frame " + std::to_string(t) + " lies between " + std::to_string(running.recorded) + " and " +
                    std::to_string(afterTrigger));
  report.Equal(status.triggerIndex, static_cast<int>(t % frames), "trigger index");
  if (status.recorded > 0) ExpectSlots(camera, base, frames, static_cast<std::uint64_t>(status.recorded), g, report);
  return report.Take();
}

Violations CheckRecordingRefusals(const DriverUnderTest& d) {
  Report report;
  DriverSession session(d, "[Driver]\nCameras=2\nTimeScale=1000\n[Camera0]\nMemoryMB=1\n[Camera1]\nRecordBase=8192\n",
                        report);
  const TessaDriverApi& api = d.api;
  OpenCamera camera(api, 1, report);
  SmallFastFrames(camera, 1, report);
  report.Equal(Start(api, camera, 0, 0, 0, nullptr), kDrvBadArgument, "no frames");
  report.Equal(Start(api, camera, 0, 10, 10, nullptr), kDrvBadArgument, "pre-trigger frames equal to the frames");
  report.Equal(Start(api, camera, 0, 10, 11, nullptr), kDrvBadArgument, "more pre-trigger frames than frames");
  const std::uint64_t memory = 1ull << 20;
  const std::uint32_t frameBytes = camera.Get(kSetMemoryFrameBytes);
  const auto fit = static_cast<std::uint32_t>(memory / frameBytes);
  int out = 0;
  report.Equal(Start(api, camera, 0, fit + 1, 0, nullptr), kDrvBadArgument, "one frame more than memory holds");
  report.Equal(Start(api, camera, frameBytes, fit, 0, nullptr), kDrvBadArgument, "does not fit above the address");
  report.Ok(Start(api, camera, 0, fit, 0, nullptr), "exactly what memory holds");
  api.StopRecording(camera.Handle(), &out);
  report.Ok(camera.Apply({{kSetRecordMode, 0}}), "normal mode");
  report.Equal(Start(api, camera, 0, 0, 0, nullptr), kDrvBadArgument, "no frames in normal mode");
  report.Ok(Start(api, camera, 0, 10, 20, nullptr), "normal mode ignores pre-trigger frames");
  api.StopRecording(camera.Handle(), &out);

  OpenCamera based(api, 2, report);
  report.Equal(based.RecordBase(), 8192u, "record base");
  report.Equal(Start(api, based, 0, 10, 0, nullptr), kDrvBadArgument, "below the record base");
  report.Ok(Start(api, based, 8192, 10, 0, nullptr), "at the record base");
  api.StopRecording(based.Handle(), &out);
  return report.Take();
}

Violations CheckLargeMemory(const DriverUnderTest& d) {
  Report report;
  DriverSession session(d, "[Driver]\nCameras=1\nTimeScale=1000000\n[Camera0]\nMemoryMB=16384\n", report);
  const TessaDriverApi& api = d.api;
  OpenCamera camera(api, 1, report);
  report.Ok(camera.Apply({{kSetRoiX0, 0}, {kSetRoiY0, 0}, {kSetRoiWidth, 0}, {kSetRoiHeight, 0}, {kSetPixelDepth, 8}}),
            "full sensor, 8 bits");
  const PatternGeometry g = camera.Geometry();
  const std::uint64_t memory = 16384ull << 20;
  const auto frames = static_cast<std::uint32_t>(memory / camera.Get(kSetMemoryFrameBytes));
  report.Equal(Start(api, camera, 0, frames + 1, 0, nullptr), kDrvBadArgument, "one frame more than 16 GB hold");
  CallbackProbe probe;
  report.Ok(Start(api, camera, 0, frames, 0, &probe), "fill 16 GB");
  report.Expect(probe.WaitForCall(kCallbackWaitMs), "the recording ends");
  std::vector<std::uint8_t> frame;
  report.Ok(camera.ReadSlot(0, static_cast<int>(frames - 1), g, frame), "read the last slot");
  const std::string mismatch = PatternMismatch(frame.data(), g, frames - 1);
  report.Expect(mismatch.empty(), "last slot of 16 GB: " + mismatch);
  return report.Take();
}

Violations CheckFrameTable(const DriverUnderTest& d) {
  Report report;
  DriverSession session(d, "[Driver]\nCameras=2\nTimeScale=1000\n[Camera0]\nModel=18\n[Camera1]\nModel=19\nFrameTableMode=1\n",
                        report);
  const TessaDriverApi& api = d.api;
  OpenCamera camera(api, 1, report);
  SmallFastFrames(camera, 0, report);
  const PatternGeometry g = camera.Geometry();
  const std::uint64_t base = camera.RecordBase();
  const std::uint32_t frameBytes = camera.Get(kSetMemoryFrameBytes);
  const std::uint32_t frames = 20;
  CallbackProbe probe;
  report.Ok(Start(api, camera, base, frames, 0, &probe), "record on a frame-table camera");
  report.Expect(probe.WaitForCall(kCallbackWaitMs), "recording ends");

  // The view reads one entry more than the frames recorded.
  std::vector<FrameTableEntry> table(frames + 1);
  report.Ok(api.ReadFrameTable(camera.Handle(), 0, static_cast<int>(frames + 1), table.data()), "read the table");
  auto address = [&](std::uint32_t i) { return static_cast<std::uint64_t>(table[i].high) << 32 | table[i].low; };
  // Setting 49 is what a frame takes in memory, header included, so entries are that far apart.
  report.Equal(frameBytes, 8192u, "64 x 16 at 10 bits: one page of pixels and one of header");
  report.Expect(address(0) >= base && address(0) < base + frameBytes, "entry 0 lies in the first slot");
  bool plain = true;
  std::vector<std::uint8_t> frame;
  for (std::uint32_t i = 0; i < frames; ++i) {
    if (address(i) != base + static_cast<std::uint64_t>(i) * frameBytes) plain = false;
    if (i > 0) report.Equal(address(i) - address(i - 1), static_cast<std::uint64_t>(frameBytes), "entry step");
    report.Ok(camera.ReadSlot(address(i), 0, g, frame), "read through entry " + std::to_string(i));
    report.Equal(StampOf(frame.data(), g), i, "entry " + std::to_string(i) + " frame");
  }
  report.Expect(!plain, "table addresses are not plain multiples of the frame size");
  report.Failed(camera.ReadSlot(address(frames), 0, g, frame), "the entry past the last frame");
  // A reader that ignores the table does not get frame i.
  const int indexed = camera.ReadSlot(base, 1, g, frame);
  report.Expect(indexed != 0 || StampOf(frame.data(), g) != 1, "an index on the base address misses the frame");
  report.Failed(api.ReadFrameTable(camera.Handle(), 0, static_cast<int>(frames + 2), table.data()), "table past its end");
  report.Failed(api.ReadFrameTable(camera.Handle(), -1, 1, table.data()), "negative first entry");
  report.Failed(api.ReadFrameTable(camera.Handle(), 0, 1, nullptr), "table without room");

  // Frame-table mode 1 addresses frames by index.
  OpenCamera indexedCamera(api, 2, report);
  SmallFastFrames(indexedCamera, 0, report);
  CallbackProbe second;
  report.Ok(Start(api, indexedCamera, 0, frames, 0, &second), "record on a camera without a table");
  report.Expect(second.WaitForCall(kCallbackWaitMs), "recording ends");
  report.Ok(indexedCamera.ReadSlot(0, 7, g, frame), "read slot 7 by index");
  report.Equal(StampOf(frame.data(), g), 7u, "slot 7 by index");
  return report.Take();
}

Violations CheckCallbackRules(const DriverUnderTest& d) {
  Report report;
  DriverSession session(d, "[Driver]\nCameras=1\nTimeScale=1000\n", report);
  const TessaDriverApi& api = d.api;
  OpenCamera camera(api, 1, report);
  SmallFastFrames(camera, 0, report);
  const std::uint64_t base = camera.RecordBase();

  // Exactly once, from a driver thread, with the context, after the recording has ended.
  CallbackProbe probe;
  probe.api = &api;
  probe.handle = camera.Handle();
  report.Ok(Start(api, camera, base, 50, 0, &probe), "start");
  report.Expect(probe.WaitForCall(kCallbackWaitMs), "callback arrives");
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  report.Equal(probe.calls.load(), 1, "exactly one callback");
  report.Equal(probe.callsOnCallerThread.load(), 0, "callback from a driver thread");
  report.Equal(probe.activeSeenInCallback.load(), 0, "the recording has ended when the callback runs");

  // Stopped before its end: no callback, then or later.
  report.Ok(camera.Apply({{kSetFramePeriod, 100000000}}), "100 ms frames");
  CallbackProbe stopped;
  report.Ok(Start(api, camera, base, 500, 0, &stopped), "start a 50 ms recording");
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  int out = 0;
  report.Ok(api.StopRecording(camera.Handle(), &out), "stop");
  stopped.stopReturned = true;
  std::this_thread::sleep_for(std::chrono::milliseconds(120));
  report.Equal(stopped.started.load(), 0, "no callback for a stopped recording");
  // A driver whose stop does not stop would call the probes below after they are gone.
  if (stopped.started.load() != 0) return report.Take();

  // A stop that races the natural end: a callback may come, but never after the stop returned
  // and never still running when it returns.
  report.Ok(camera.Apply({{kSetFramePeriod, 1000000}}), "1 ms frames");
  for (int round = 0; round < 20; ++round) {
    CallbackProbe racing;
    racing.holdMs = 5;
    report.Ok(Start(api, camera, base, 1000, 0, &racing), "start a 1 ms recording");
    std::this_thread::sleep_for(std::chrono::microseconds(100 * round));
    report.Ok(api.StopRecording(camera.Handle(), &out), "racing stop");
    racing.stopReturned = true;
    const int startedAtStop = racing.started.load();
    report.Equal(racing.calls.load(), startedAtStop, "a callback that began has returned before the stop does");
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
    report.Equal(racing.callsAfterStop.load(), 0, "no callback after the stop returned");
    report.Expect(racing.started.load() <= 1, "at most one callback");
  }

  // Closing the camera or shutting the driver down ends a recording without its callback.
  report.Ok(camera.Apply({{kSetFramePeriod, 100000000}}), "100 ms frames");
  CallbackProbe closed;
  report.Ok(Start(api, camera, base, 500, 0, &closed), "start before close");
  report.Ok(api.CloseCamera(camera.Handle()), "close while recording");
  closed.stopReturned = true;
  OpenCamera reopened(api, 1, report);
  reopened.Apply({{kSetRoiWidth, 64}, {kSetRoiHeight, 16}, {kSetFramePeriod, 100000000}});
  CallbackProbe shut;
  report.Ok(Start(api, reopened, base, 500, 0, &shut), "start before shut-down");
  report.Ok(api.Shutdown(), "shut down while recording");
  shut.stopReturned = true;
  std::this_thread::sleep_for(std::chrono::milliseconds(80));
  report.Equal(closed.started.load(), 0, "no callback after close");
  report.Equal(shut.started.load(), 0, "no callback after shut-down");
  return report.Take();
}
