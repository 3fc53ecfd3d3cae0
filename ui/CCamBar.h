// The camera bar: the operator's panel for the camera settings, docked at the frame's right edge.
// Operator edits are written into the view's settings record and applied through the view; the
// system writes values back through silent setters that never echo them to the view.
#pragma once

#include <windows.h>

#include <cstdint>

#include "acquisition/CameraBarSink.h"
#include "platform/framework/DialogBar.h"
#include "platform/win32/GdiObject.h"

class CCamBar : public CDialogBar, public CameraBarSink {
 public:
  CCamBar();

  // Creates the bar from its template as a child of the frame, with tool tips.
  bool Create(CFrameWindow& frame);

  void SetView(CCamView* view) override { view_ = view; }
  void SetCameraInfo(CameraSettings* settings, std::int32_t modelCode, std::uint32_t variant,
                     int isColor, std::uint32_t serial, std::uint32_t memoryGB) override;
  void FillRateList(std::uint32_t maximumRate) override;
  void FillPixelDepthList();
  void UpdateRoiText() override;
  void ShowExposure(int value) override;
  void ShowRate(int value) override;
  void SetControlValue(int controlId, int value) override;
  void ShowFrameIndex(int current, int total) override;
  void ShowStatusMessage(UINT stringId) override;
  void EnableLiveControls(bool enable) override;
  void DisableAllControls() override;

  // The half-f-stop buttons' commands, carried out through the exposure box.
  void OnExposureDown();
  void OnExposureUp();

  COLORREF FrameLineColour() const { return frameLineColour_; }

 protected:
  BOOL OnInitDialog() override;
  bool OnBarCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  // Switches the notifications off while the system writes its own controls.
  class Silence {
   public:
    explicit Silence(CCamBar& bar) : bar_(bar) { bar_.notificationsEnabled_ = 0; }
    ~Silence() { bar_.notificationsEnabled_ = 1; }

   private:
    CCamBar& bar_;
  };

  void NotifySettingChanged(int id);
  void FillControls();
  void SetNumber(HWND box, std::int64_t value);
  void SetText(HWND control, const char* text);
  int Selection(HWND list) const;

  void OnGain();
  void OnRateChosen();
  void OnRateTyped();
  void OnExposureTyped();
  void OnExposureMode();
  void OnPixelDepth();
  void OnLiveTimeOut();
  void OnRecordMode();
  void OnFrames();
  void OnPreTrigger();
  void OnSyncIn();
  void OnTriggerIn();
  void OnLiveWhileRecording();

  // Controls, bound by id when the bar's dialog is initialised.
  HWND exposureModeList_ = nullptr;
  HWND gainList_ = nullptr;
  HWND rateBox_ = nullptr;
  HWND pixelDepthList_ = nullptr;
  HWND recordModeList_ = nullptr;
  HWND triggerInList_ = nullptr;
  HWND syncInList_ = nullptr;
  HWND frameLine_ = nullptr;
  HWND cameraLine_ = nullptr;
  HWND roiEditButton_ = nullptr;
  HWND liveTimeOutBox_ = nullptr;
  HWND exposureBox_ = nullptr;
  HWND upButton_ = nullptr;
  HWND downButton_ = nullptr;
  HWND preTriggerBox_ = nullptr;
  HWND framesBox_ = nullptr;
  HWND liveWhileRecordingBox_ = nullptr;
  HWND roiBox_ = nullptr;

  CameraSettings* settings_ = nullptr;
  CCamView* view_ = nullptr;
  int notificationsEnabled_ = 1;
  UniqueFont infoFont_;
  COLORREF frameLineColour_ = RGB(0, 0, 0);
  int isColour_ = 0;
  std::int32_t modelCode_ = 3;
  std::uint32_t variant_ = 0;
  std::uint32_t serial_ = 0;
  std::uint32_t memoryGB_ = 0;
  std::uint32_t maximumRate_ = 0;  // 0 until the view has given it
  UniqueIcon upIcon_;
  UniqueIcon downIcon_;
};
