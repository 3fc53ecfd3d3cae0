// Owner of one driver camera handle and its settings block; each operation is one driver call.
#pragma once

#include <cstdint>

#include "camera/CameraStatus.h"
#include "camera/TessaDriver.h"

class CCameraHandle {
 public:
  explicit CCameraHandle(const TessaDriverApi& driver);
  ~CCameraHandle();
  CCameraHandle(const CCameraHandle&) = delete;
  CCameraHandle& operator=(const CCameraHandle&) = delete;

  int Open(int cameraId);
  int Close();
  int Reset();
  int GetInfo(int item, std::uint32_t* first, std::uint32_t* second);
  int InitSettings();
  int ReadSettings();
  int ApplySettings();
  int ApplySettingsEx(int a, int b, int c);
  int GetSettingRaw(int id, std::uint32_t* value);
  int SetSettingRaw(int id, std::uint32_t value);
  int StartRecording(std::uint32_t addressLow, std::uint32_t addressHigh, std::uint32_t frames,
                     std::uint32_t preTrigger, TessaRecordingDone callback, int flag,
                     TessaContext context);
  int StopRecording(int* out);
  int ReadFrameRaw(std::uint32_t addressLow, std::uint32_t addressHigh, int index, void* buffer);
  int GetRecordingStatus(int* active, int* recorded, int* triggerIndex, int* triggered);
  int ReadFrameTableRaw(int first, int count, FrameTableEntry* table);
  int SoftwareTrigger();

  // Driver-wide operations, not tied to an open camera. Like every call above they go through
  // CallDriver, so a missing driver reads as "no camera" instead of a jump through null.
  static int Prepare(const TessaDriverApi& driver, int a, int b, int c);
  static int Enumerate(const TessaDriverApi& driver, CameraEnumEntry* entries, int* count, int mask);
  static int Startup(const TessaDriverApi& driver, int flag);
  static int Shutdown(const TessaDriverApi& driver);

  int DriverHandle() const { return handle_; }

 protected:
  const TessaDriverApi& driver_;

 private:
  int handle_ = 0;
  CameraSettingsBlock block_{};
};

// Calls a driver entry point, or reports a missing driver instead of jumping through null.
template <typename Entry, typename... Args>
int CallDriver(Entry entry, Args... args) {
  return entry ? entry(args...) : kCamNoDriver;
}
