// The workstation frame inside the control: a toolbar of the acquisition and playback commands
// above the camera view; the frame line and status texts are kept as the frame's window text.
#pragma once

#include <string>

#include "acquisition/CameraBarSink.h"
#include "platform/framework/FrameWindow.h"
#include "platform/framework/ToolBarControl.h"

class CHostFrame : public CFrameWindow, public CameraViewHost, private CameraBarSink {
 public:
  // A visible child window of parent, covering whatever rectangle its parent gives it.
  bool CreateFrame(HWND parent);
  const std::wstring& StatusText() const { return status_; }
  void ShowToolBar(bool show) { ShowControlBar(&toolbar_, show); }

  CameraBarSink* CameraBar() override { return this; }
  void EnableZoomSelector(bool) override {}
  void ShowCameraBar(bool) override {}
  void SelectZoomEntry(int) override {}
  void SetCustomZoomText(int) override {}

 protected:
  const wchar_t* ClassName() const override { return L"SelvarHostFrame"; }

 private:
  void SetStatus(const std::wstring& text);

  // The few bar notices the title can show; the others have no place here.
  void SetView(CCamView*) override {}
  void SetCameraInfo(CameraSettings*, std::int32_t, std::uint32_t, int, std::uint32_t,
                     std::uint32_t) override {}
  void FillRateList(std::uint32_t) override {}
  void UpdateRoiText() override {}
  void ShowExposure(int) override {}
  void ShowRate(int) override {}
  void ShowFrameIndex(int current, int total) override;
  void ShowStatusMessage(UINT stringId) override;
  void EnableLiveControls(bool) override {}
  void DisableAllControls() override { SetStatus(L"No cameras"); }

  CToolBarControl toolbar_;
  std::wstring status_;
};
