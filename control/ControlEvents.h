// The control's side of the view's events: quiet mode, the last error, and the events fired to
// the host's sinks. Events are queued and fired from the control's window by a posted message,
// never inside the view's own work: a handler may call back into the control, pump messages or
// take its time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <string>

#include "acquisition/ViewEvents.h"

class COleControl;

// Posted to the control's window when events wait to be fired.
constexpr UINT WM_FIRE_EVENTS = WM_USER + 203;

// The DISPIDs of the event interface.
enum ControlEventId : DISPID {
  kEventRecordingStarted = 1,
  kEventRecordingEnded = 2,
  kEventCameraError = 3,
  kEventSaveProgress = 4,
  kEventSaveEnded = 5,
  kEventFrameChanged = 6,
  kEventCameraOpened = 7,
  kEventCameraClosed = 8,
};

class CControlEvents : public ViewEvents {
 public:
  explicit CControlEvents(COleControl& control) : control_(control) {}

  void SetQuiet(bool quiet) { quiet_ = quiet; }
  bool Quiet() const override { return quiet_; }
  int LastErrorCode() const { return lastErrorCode_; }
  const std::wstring& LastErrorText() const { return lastErrorText_; }
  // A command starts: the error of an earlier one no longer answers for it.
  void ClearLastError();
  // Fires every queued event, in order (WM_FIRE_EVENTS).
  void Deliver();

  void CameraOpened() override;
  void CameraClosed() override;
  void RecordingStarted() override;
  void RecordingEnded(std::uint32_t framesKept) override;
  void Error(int code, const wchar_t* text) override;
  void SaveProgress(std::uint32_t framesWritten, std::uint32_t framesTotal) override;
  void SaveEnded(int result, std::uint32_t framesWritten) override;
  void FrameChanged(std::uint32_t index) override;

 private:
  // Up to two numbers, then an optional text: the arguments of every event above.
  struct PendingEvent {
    DISPID id;
    int numbers;
    LONG number[2];
    bool withText;
    std::wstring text;
  };
  void Queue(PendingEvent event);
  void Fire(const PendingEvent& event);

  COleControl& control_;
  bool quiet_ = false;
  int lastErrorCode_ = 0;
  std::wstring lastErrorText_;
  std::deque<PendingEvent> pending_;
  bool posted_ = false;
};
