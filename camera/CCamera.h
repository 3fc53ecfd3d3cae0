// The camera device: one open camera with its frame buffer, frame table, unit conversions and clamps.
#pragma once

#include <cstdint>
#include <memory>

#include "camera/CCameraHandle.h"

struct CameraSettings;

constexpr int kFrameTableEntries = 2048;
// The largest exposure whose nanosecond value still fits the driver's 32-bit setting.
constexpr std::uint32_t kMaxExposureUs = 4294967;
constexpr std::uint32_t kDefaultLiveTimeOutMs = 5000;

// One grab as the driver will receive it: everything read from the camera beforehand, so that the
// call that waits for the frame touches nothing of the camera object.
struct PendingGrab {
  GrabRequest request{};
  int timeOutMs = 0;
  bool duringRecording = false;
};

class CCamera : public CCameraHandle {
 public:
  explicit CCamera(const TessaDriverApi& driver);

  int Open(int cameraId);
  int Close();
  bool IsOpen() const { return open_ != 0; }

  std::uint32_t AllocFrameBuffer(std::uint32_t bytesPerSample);
  void FreeFrameBuffer();
  std::uint8_t* FrameBuffer() const { return frameBuffer_.get(); }
  std::uint32_t FrameBufferSize() const { return frameBufferSize_; }

  int SetSetting(int id, std::uint32_t value);
  int GetSetting(int id, std::uint32_t* value);
  int ClampExposure(std::uint32_t& microseconds);
  int ClampRate(std::uint32_t& framesPerSecond);
  std::uint32_t GetMaxRate();
  void FitRoi(CameraSettings& region);
  int ReadSettingsInto(CameraSettings& record);

  int GrabLive();
  int GrabDuringRecording();
  // GrabLive and GrabDuringRecording in two halves: the first reads the settings, the second
  // waits for the frame and may run while another thread uses the camera object.
  int PrepareGrab(bool duringRecording, PendingGrab& grab);
  int SendGrab(PendingGrab& grab) const;
  int ReadFrameTable(int first, int count);
  int ReadFrame(std::uint32_t addressLow, std::uint32_t addressHigh, int index);
  // The same read into a caller's buffer of at least GetFrameBytes bytes.
  int ReadFrameInto(std::uint32_t addressLow, std::uint32_t addressHigh, int index, void* buffer);

  std::int32_t GetModelCode();
  std::uint32_t GetCameraSerial();
  std::uint32_t GetModelSubtype();
  std::uint32_t GetModelVariant();
  std::uint32_t GetRecordBase();
  int IsColor();
  std::uint64_t GetMemorySize();
  void GetRoiFormat(std::uint32_t* width, std::uint32_t* height, std::uint32_t* depth);
  std::uint64_t GetFrameBytes();
  std::uint32_t GetMemoryFrameBytes();

  void SetLiveTimeOut(std::uint32_t milliseconds) { liveTimeOut_ = milliseconds; }
  std::uint32_t LiveTimeOut() const { return liveTimeOut_; }
  int LiveWhileRecording() const { return liveWhileRecording_; }
  int FrameTableMode() const { return frameTableMode_; }
  const FrameTableEntry* FrameTable() const { return frameTable_; }

 private:
  std::uint32_t FirstInfoValue(int item);
  bool UsesFrameTable() const;
  int Grab(bool duringRecording);

  std::int32_t modelCode_ = 0;
  std::unique_ptr<std::uint8_t[]> frameBuffer_;
  std::uint32_t frameBufferSize_ = 0;
  std::uint32_t liveTimeOut_ = kDefaultLiveTimeOutMs;
  int liveWhileRecording_ = 0;
  int frameTableMode_ = 0;
  int open_ = 0;
  FrameTableEntry frameTable_[kFrameTableEntries] = {};
};
