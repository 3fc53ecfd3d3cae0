// The workstation's frame: the toolbar with the zoom selector along the top, the camera bar along
// the right edge and the camera view in between. It is a child of whatever window hosts it (the
// control's window), or a top-level window of its own when it has no parent.
#pragma once

#include <windows.h>

#include "acquisition/CameraBarSink.h"
#include "platform/framework/FrameWindow.h"
#include "platform/win32/GdiObject.h"
#include "ui/CCamBar.h"
#include "ui/CCamToolBar.h"

class CMainFrame : public CFrameWindow, public CameraViewHost {
 public:
  // Creates the frame's window filling the parent's client area, or top-level without a parent.
  bool CreateFrame(HWND parent);

  CCamBar& Bar() { return cameraBar_; }
  CCamToolBar& ToolBar() { return toolBar_; }
  HWND ZoomSelector() const { return zoomSelector_; }

  void SelectZoomEntry(int index) override;
  void SetCustomZoomText(int percent) override;
  void ShowToolBar(bool show);
  void ShowCameraBar(bool show) override;
  CameraBarSink* CameraBar() override { return &cameraBar_; }
  void EnableZoomSelector(bool enable) override;

  bool UpdateCommand(CCmdUI& ui) override;
  bool ExecuteCommand(UINT id) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  const wchar_t* ClassName() const override { return L"SelvarMainFrame"; }
  bool OnControlNotification(int id, int code, HWND control) override;

 private:
  int OnCreate();
  void OnZoomSelected();
  void OnExposureStep(UINT id);
  static const CommandEntry<CMainFrame> kCommands[];

  CCamToolBar toolBar_;
  CCamBar cameraBar_;
  HWND zoomSelector_ = nullptr;  // a child of the toolbar, which destroys it
  UniqueFont zoomFont_;
  bool topLevel_ = false;
};
