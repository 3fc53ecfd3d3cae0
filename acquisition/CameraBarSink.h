// What the view tells the camera bar, and what it asks of the frame that holds the bar.
#pragma once

#include <windows.h>

#include <cstdint>

struct CameraSettings;
class CCamView;

class CameraBarSink {
 public:
  virtual ~CameraBarSink() = default;
  virtual void SetView(CCamView* view) = 0;
  virtual void SetCameraInfo(CameraSettings* settings, std::int32_t modelCode,
                             std::uint32_t variant, int isColor, std::uint32_t serial,
                             std::uint32_t memoryGB) = 0;
  virtual void FillRateList(std::uint32_t maximumRate) = 0;
  virtual void UpdateRoiText() = 0;
  virtual void ShowExposure(int value) = 0;
  virtual void ShowRate(int value) = 0;
  virtual void ShowFrameIndex(int current, int total) = 0;
  virtual void ShowStatusMessage(UINT stringId) = 0;
  virtual void EnableLiveControls(bool enable) = 0;
  virtual void DisableAllControls() = 0;
  // A setting that arrived by automation, shown silently in the bar's control of that id.
  virtual void SetControlValue(int controlId, int value) = 0;
};

// Implemented by the frame that hosts the view; either part may be missing.
class CameraViewHost {
 public:
  virtual ~CameraViewHost() = default;
  virtual CameraBarSink* CameraBar() = 0;
  virtual void EnableZoomSelector(bool enable) = 0;
  // Shows or hides the bar and lays the frame out again.
  virtual void ShowCameraBar(bool show) = 0;
  // The zoom selector shows entry `index` without sending anything.
  virtual void SelectZoomEntry(int index) = 0;
  // The zoom selector's last entry, the custom zoom, reads "percent%".
  virtual void SetCustomZoomText(int percent) = 0;
};
