// Helpers of the driver conformance checks: violation lists, driver sessions, open cameras, frames.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/tessadrv/TestPattern.h"
#include "tests/tessadrv/DriverConformance.h"

class Report {
 public:
  void Expect(bool ok, const std::string& what) {
    if (!ok) list_.push_back(what);
  }
  template <typename T, typename U>
  void Equal(const T& got, const U& want, const std::string& what) {
    if (got == want) return;
    std::ostringstream text;
    text << what << ": got " << got << ", want " << want;
    list_.push_back(text.str());
  }
  void Failed(int status, const std::string& what) { Expect(status != 0, what + ": status 0, want a refusal"); }
  void Ok(int status, const std::string& what) { Equal(status, 0, what + " status"); }
  Violations Take() { return std::move(list_); }

 private:
  Violations list_;
};

// Starts the driver with a configuration and shuts it down at the end.
class DriverSession {
 public:
  DriverSession(const DriverUnderTest& d, const std::string& ini, Report& report);
  ~DriverSession();
  DriverSession(const DriverSession&) = delete;
  DriverSession& operator=(const DriverSession&) = delete;

 private:
  const TessaDriverApi& api_;
};

// One open camera with its settings block, closed at the end.
class OpenCamera {
 public:
  OpenCamera(const TessaDriverApi& api, int cameraId, Report& report);
  ~OpenCamera();
  OpenCamera(const OpenCamera&) = delete;
  OpenCamera& operator=(const OpenCamera&) = delete;

  bool IsOpen() const { return handle_ != 0; }
  int Handle() const { return handle_; }
  CameraSettingsBlock& Block() { return block_; }

  std::uint32_t Get(int id);
  // Writes the values into the block and applies it; returns the apply status.
  int Apply(std::initializer_list<std::pair<int, std::uint32_t>> values);
  PatternGeometry Geometry();
  std::uint64_t RecordBase();
  // A live grab of the frames the exposure mode asks for; the frames land in `frames`.
  int Grab(std::vector<std::uint8_t>& frames, int timeoutMs = 2000);
  int ReadSlot(std::uint64_t address, int index, const PatternGeometry& g, std::vector<std::uint8_t>& frame);

 private:
  const TessaDriverApi& api_;
  Report& report_;
  int handle_ = 0;
  CameraSettingsBlock block_{};
};

// Where a frame differs from frame n of the documented test pattern; empty when it does not.
std::string PatternMismatch(const std::uint8_t* frame, const PatternGeometry& g, std::uint32_t n);
// The frame number a frame carries in the first row's stamp, decoded from raw bytes.
std::uint32_t StampOf(const std::uint8_t* frame, const PatternGeometry& g);
bool AllZero(const std::vector<std::uint8_t>& bytes);

// Counts completion callbacks and notes when one arrives too late or on the caller's thread.
struct CallbackProbe {
  std::mutex mutex;
  std::condition_variable called;
  std::atomic<int> calls{0};
  std::atomic<int> callsAfterStop{0};
  std::atomic<int> callsOnCallerThread{0};
  std::atomic<bool> stopReturned{false};
  std::atomic<int> started{0};  // calls that have begun; `calls` counts those that returned
  std::thread::id caller = std::this_thread::get_id();
  int holdMs = 0;  // how long the callback takes
  const TessaDriverApi* api = nullptr;  // when set, the callback asks for the recording status
  int handle = 0;
  std::atomic<int> activeSeenInCallback{-1};

  TessaContext Context() { return reinterpret_cast<TessaContext>(this); }
  bool WaitForCall(int timeoutMs);
};
int TESSA_CALL ProbeCallback(TessaContext context, int, int);

// Polls until `done` holds or the time is up; returns whether it held.
template <typename Fn>
bool WaitUntil(Fn&& done, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

struct RecordingStatus {
  int status = -1, active = -1, recorded = -1, triggerIndex = -1, triggered = -1;
};
RecordingStatus ReadStatus(const TessaDriverApi& api, int h);

std::uint32_t ReadInfo(const TessaDriverApi& api, int h, int item);
