// What the view tells its host about acquisition, playback, saving and errors, and the one thing
// it asks: whether errors and questions go to a person or only to the host.
#pragma once

#include <cstdint>

class ViewEvents {
 public:
  virtual ~ViewEvents() = default;
  // Quiet: no message box; errors reach the host only, and a stop during a recording keeps the
  // frames acquired.
  virtual bool Quiet() const = 0;
  virtual void CameraOpened() = 0;
  virtual void CameraClosed() = 0;
  virtual void RecordingStarted() = 0;
  // framesKept is 0 when the recording was discarded.
  virtual void RecordingEnded(std::uint32_t framesKept) = 0;
  // code is one of ViewErrorCode; text is what the message box says (or would say).
  virtual void Error(int code, const wchar_t* text) = 0;
  virtual void SaveProgress(std::uint32_t framesWritten, std::uint32_t framesTotal) = 0;
  virtual void SaveEnded(int result, std::uint32_t framesWritten) = 0;
  // The sequence frame on show, from 0.
  virtual void FrameChanged(std::uint32_t index) = 0;
};

// Error codes a host sees: the camera messages carry their [ERRnnn] number, a failed save 100
// plus its SaveResult.
enum ViewErrorCode : int {
  kErrorAcquisitionTimeOut = 1,
  kErrorBufferTooSmall = 2,
  kErrorCameraBusy = 3,
  kErrorHardwareFault = 4,
  kErrorRecordingRefused = 5,
  kErrorSaveBase = 100,
};
