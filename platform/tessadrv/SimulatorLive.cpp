// The simulated driver's live grabs: paced at the frame period, with time-out and grab faults.
#include <algorithm>
#include <thread>

#include "camera/CameraIds.h"
#include "platform/tessadrv/SimulatedCamera.h"
#include "platform/tessadrv/TessaSimulator.h"

namespace {

// Frames one grab delivers: two in double-exposure mode.
std::uint32_t FramesPerGrab(const SimulatedSettings& s) { return s[kSetExposureMode] == 1 ? 2 : 1; }

// kDrvOk when the request asks for exactly `frames` frames and holds them all.
int CheckRequest(const GrabRequest* request, std::uint32_t frames, std::size_t frameBytes) {
  if (!request || !request->buffer || request->frameCount != frames) return kDrvBadArgument;
  if (request->byteCount < frameBytes * frames) return kDrvBufferTooSmall;
  return kDrvOk;
}

void FillFrames(const PatternGeometry& g, std::uint64_t first, std::uint32_t frames, void* buffer) {
  const std::size_t bytes = TestPatternFrameBytes(g);
  for (std::uint32_t i = 0; i < frames; ++i) {
    FillTestPatternFrame(g, static_cast<std::uint32_t>(first + i), static_cast<std::uint8_t*>(buffer) + i * bytes);
  }
}

}  // namespace

int TessaSimulator::GrabFrames(int h, GrabRequest* request, int timeoutMs) {
  std::unique_lock<std::mutex> lock(mutex_);
  SimCamera* camera = nullptr;
  int status = Lookup(h, camera);
  if (status != kDrvOk) return status;
  if (camera->recording && camera->recording->Active()) return kDrvBusy;
  const PatternGeometry geometry = FrameGeometry(camera->settings);
  const std::uint32_t frames = FramesPerGrab(camera->settings);
  status = CheckRequest(request, frames, TestPatternFrameBytes(geometry));
  if (status != kDrvOk) return status;

  const SimCameraConfig& c = camera->config;
  const Clock::time_point now = Clock::now();
  const Clock::duration timeout = std::chrono::milliseconds(std::max(timeoutMs, 0));
  if (c.grabError != 0 && camera->goodGrabs >= c.grabErrorAfter) return c.grabError;
  // The camera delivers frame after frame at its period; a grab takes the next ones it can.
  const Clock::time_point due =
      std::max(now, camera->nextLiveDue) +
      RealDuration(static_cast<double>(frames) * camera->settings[kSetFramePeriod], timeScale_);
  if (c.grabStall || due - now > timeout) {
    lock.unlock();
    std::this_thread::sleep_for(timeout);
    return kDrvTimeout;
  }
  camera->nextLiveDue = due;
  const std::uint64_t first = camera->liveFrames;
  camera->liveFrames += frames;
  ++camera->goodGrabs;
  lock.unlock();
  std::this_thread::sleep_until(due);
  FillFrames(geometry, first, frames, request->buffer);
  return kDrvOk;
}

// Delivers the latest recorded frames at once, in the geometry the recording has.
int TessaSimulator::GrabDuringRecording(int h, GrabRequest* request, int) {
  std::unique_lock<std::mutex> lock(mutex_);
  SimCamera* camera = nullptr;
  int status = Lookup(h, camera);
  if (status != kDrvOk) return status;
  if (!camera->config.liveWhileRecording) return kDrvBusy;
  const SimRecording* r = camera->recording.get();
  if (!r || !r->Active()) return kDrvNoData;
  const std::uint32_t frames = FramesPerGrab(camera->settings);
  status = CheckRequest(request, frames, TestPatternFrameBytes(r->geometry));
  if (status != kDrvOk) return status;
  const std::uint64_t recorded = RecordedFrames(*r, Clock::now());
  if (recorded < frames) return kDrvNoData;
  const PatternGeometry geometry = r->geometry;
  lock.unlock();
  FillFrames(geometry, recorded - frames, frames, request->buffer);
  return kDrvOk;
}
