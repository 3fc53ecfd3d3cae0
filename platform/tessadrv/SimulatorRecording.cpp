// The simulated driver's recordings into camera memory: start, trigger, stop, status and frame reads.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <system_error>

#include "camera/CameraIds.h"
#include "platform/tessadrv/SimulatedCamera.h"
#include "platform/tessadrv/TessaSimulator.h"

namespace {

// About three years: far enough to mean "never", near enough to add to any clock reading.
constexpr double kLongestWaitNs = 1e17;

std::uint64_t Address(std::uint32_t low, std::uint32_t high) {
  return static_cast<std::uint64_t>(high) << 32 | low;
}

}  // namespace

TessaSimulator::Clock::duration RealDuration(double simulatedNs, double timeScale) {
  const double real = std::min(simulatedNs / timeScale, kLongestWaitNs);
  return std::chrono::duration_cast<TessaSimulator::Clock::duration>(
      std::chrono::nanoseconds(static_cast<std::int64_t>(std::ceil(real))));
}

// Frame k is complete (k + 1) periods after the start; the count stops where the recording ends.
std::uint64_t TessaSimulator::RecordedFrames(const SimRecording& r, Clock::time_point now) const {
  if (r.endedAt) return *r.endedAt;
  const double elapsedNs = std::chrono::duration<double, std::nano>(now - r.start).count();
  const double frames = std::floor(std::max(0.0, elapsedNs) * r.timeScale / r.periodNs);
  std::uint64_t recorded = frames >= 1.8e19 ? UINT64_MAX : static_cast<std::uint64_t>(frames);
  const auto total = FramesToRecord(r.plan, TriggerFrame(r.plan, r.softwareTrigger));
  if (total && recorded > *total) recorded = *total;
  return recorded;
}

void TessaSimulator::RunRecording(std::shared_ptr<SimRecording> r) {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!r->stopRequested) {
    const auto total = FramesToRecord(r->plan, TriggerFrame(r->plan, r->softwareTrigger));
    if (!total) {
      changed_.wait(lock);  // a circular recording waits for its trigger
      continue;
    }
    const Clock::time_point end = r->start + RealDuration(static_cast<double>(*total) * r->periodNs, r->timeScale);
    if (Clock::now() >= end) {
      r->endedAt = *total;
      break;
    }
    changed_.wait_until(lock, end);
  }
  // The decision to call back is taken under the lock, so a stop either comes first and
  // suppresses the call or waits below for it to return.
  if (!r->stopRequested && r->callback) {
    const TessaRecordingDone callback = r->callback;
    const TessaContext context = r->context;
    const int frames = static_cast<int>(*r->endedAt);
    lock.unlock();
    callback(context, 0, frames);
    lock.lock();
  }
  r->threadDone = true;
  changed_.notify_all();
}

void TessaSimulator::EndRecording(std::unique_lock<std::mutex>& lock, const std::shared_ptr<SimRecording>& r) {
  if (!r->endedAt) r->endedAt = RecordedFrames(*r, Clock::now());
  r->stopRequested = true;
  changed_.notify_all();
  if (r->thread.get_id() == std::this_thread::get_id()) {
    // Called from the recording's own callback: the thread finishes by itself once it returns.
    r->thread.detach();
    return;
  }
  changed_.wait(lock, [&] { return r->threadDone; });
  if (r->thread.joinable()) {
    std::thread finished = std::move(r->thread);
    lock.unlock();
    finished.join();
    lock.lock();
  }
}

int TessaSimulator::StartRecording(int h, std::uint32_t addressLow, std::uint32_t addressHigh,
                                   std::uint32_t frames, std::uint32_t preTrigger,
                                   TessaRecordingDone callback, int, TessaContext context) {
  std::unique_lock<std::mutex> lock(mutex_);
  SimCamera* camera = nullptr;
  // A finished recording's thread may still be returning from its callback; wait for it first.
  for (;;) {
    const int status = Lookup(h, camera);
    if (status != kDrvOk) return status;
    const std::shared_ptr<SimRecording> last = camera->recording;
    if (!last || !last->thread.joinable()) break;
    if (last->Active()) return kDrvBusy;
    EndRecording(lock, last);
  }

  auto r = std::make_shared<SimRecording>();
  r->plan.frames = frames;
  r->plan.preTrigger = preTrigger;
  r->plan.circular = camera->settings[kSetRecordMode] == 1;
  r->plan.triggerAfter = camera->config.triggerAfter;
  if (CheckRecordingPlan(r->plan) != kDrvOk) return kDrvBadArgument;
  r->geometry = FrameGeometry(camera->settings);
  r->slotBytes = camera->settings[kSetMemoryFrameBytes];
  r->dataOffset = KeepsFrameTable(camera->config) ? kFrameHeaderBytes : 0;
  r->base = Address(addressLow, addressHigh);
  const std::uint64_t memory = camera->config.memoryBytes;
  if (r->base < camera->config.recordBase || r->base > memory ||
      static_cast<std::uint64_t>(frames) * r->slotBytes > memory - r->base) {
    return kDrvBadArgument;
  }
  r->periodNs = camera->settings[kSetFramePeriod];
  r->timeScale = timeScale_;
  r->callback = callback;
  r->context = context;
  r->start = Clock::now();
  try {
    r->thread = std::thread(&TessaSimulator::RunRecording, this, r);
  } catch (const std::system_error&) {
    return kDrvFailed;
  }
  camera->recording = r;
  return kDrvOk;
}

int TessaSimulator::StopRecording(int h, int* out) {
  std::unique_lock<std::mutex> lock(mutex_);
  SimCamera* camera = nullptr;
  const int status = Lookup(h, camera);
  if (status != kDrvOk) return status;
  const std::shared_ptr<SimRecording> r = camera->recording;
  if (r) EndRecording(lock, r);
  if (out) *out = r ? static_cast<int>(*r->endedAt) : 0;
  return kDrvOk;
}

int TessaSimulator::SoftwareTrigger(int h) {
  std::lock_guard<std::mutex> lock(mutex_);
  SimCamera* camera = nullptr;
  const int status = Lookup(h, camera);
  if (status != kDrvOk) return status;
  SimRecording* r = camera->recording.get();
  if (!r || !r->Active()) return kDrvFailed;
  if (!r->softwareTrigger) r->softwareTrigger = RecordedFrames(*r, Clock::now());
  changed_.notify_all();
  return kDrvOk;
}

int TessaSimulator::GetRecordingStatus(int h, int* active, int* recorded, int* triggerIndex, int* triggered) {
  std::lock_guard<std::mutex> lock(mutex_);
  SimCamera* camera = nullptr;
  const int status = Lookup(h, camera);
  if (status != kDrvOk) return status;
  if (!active || !recorded || !triggerIndex || !triggered) return kDrvBadArgument;
  *active = *recorded = *triggerIndex = *triggered = 0;
  const SimRecording* r = camera->recording.get();
  if (!r) return kDrvOk;
  const std::uint64_t count = RecordedFrames(*r, Clock::now());
  const auto t = TriggerFrame(r->plan, r->softwareTrigger);
  *active = r->Active() ? 1 : 0;
  *recorded = static_cast<int>(std::min<std::uint64_t>(count, INT32_MAX));
  if (t && count >= *t) {
    *triggered = 1;
    *triggerIndex = static_cast<int>(*t % r->plan.frames);
  }
  return kDrvOk;
}

int TessaSimulator::ReadFrameTable(int h, int first, int count, FrameTableEntry* table) {
  std::lock_guard<std::mutex> lock(mutex_);
  SimCamera* camera = nullptr;
  const int status = Lookup(h, camera);
  if (status != kDrvOk) return status;
  if (!KeepsFrameTable(camera->config)) return kDrvFailed;
  if (!table || first < 0 || count < 0) return kDrvBadArgument;
  const SimRecording* r = camera->recording.get();
  if (!r) return kDrvNoData;
  // One entry per slot and one more for the address just past the last slot.
  if (static_cast<std::uint64_t>(first) + static_cast<std::uint64_t>(count) > r->plan.frames + 1ull) {
    return kDrvBadArgument;
  }
  for (int i = 0; i < count; ++i) {
    const std::uint64_t address = r->base + r->dataOffset + (static_cast<std::uint64_t>(first) + i) * r->slotBytes;
    table[i].low = static_cast<std::uint32_t>(address);
    table[i].high = static_cast<std::uint32_t>(address >> 32);
  }
  return kDrvOk;
}

// The frame read is the one at address + index * memory frame bytes, which must be where a slot's
// frame starts: the slot's start, or just past its header on cameras with a frame table.
int TessaSimulator::ReadFrame(int h, std::uint32_t addressLow, std::uint32_t addressHigh, int index, void* buffer) {
  std::unique_lock<std::mutex> lock(mutex_);
  SimCamera* camera = nullptr;
  const int status = Lookup(h, camera);
  if (status != kDrvOk) return status;
  const SimRecording* r = camera->recording.get();
  if (!buffer || index < 0 || !r) return kDrvBadArgument;
  const std::uint64_t offset = static_cast<std::uint64_t>(index) * r->slotBytes;
  const std::uint64_t address = Address(addressLow, addressHigh);
  const std::uint64_t firstFrame = r->base + r->dataOffset;
  if (address > UINT64_MAX - offset || address + offset < firstFrame) return kDrvBadArgument;
  const std::uint64_t fromFirst = address + offset - firstFrame;
  if (fromFirst % r->slotBytes != 0 || fromFirst / r->slotBytes >= r->plan.frames) return kDrvBadArgument;
  const auto slot = static_cast<std::uint32_t>(fromFirst / r->slotBytes);
  if (static_cast<std::int64_t>(slot) == camera->config.failReadSlot) return kDrvFailed;
  const auto frame = FrameInSlot(r->plan.frames, RecordedFrames(*r, Clock::now()), slot);
  const PatternGeometry geometry = r->geometry;
  lock.unlock();
  if (frame) {
    FillTestPatternFrame(geometry, static_cast<std::uint32_t>(*frame), buffer);
  } else {
    std::memset(buffer, 0, TestPatternFrameBytes(geometry));
  }
  return kDrvOk;
}
