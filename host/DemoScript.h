// The unattended run of the host program: set exposure and record mode through the camera bar's
// controls, live for a moment, record and trigger, step through the sequence, save a screenshot
// and report where it ended.
#pragma once

#include <windows.h>

#include <string>

class CCamView;
class CMainFrame;

class CDemoScript {
 public:
  CDemoScript(CMainFrame& frame, CCamView& view, std::wstring screenshotPath);
  void Start();

 private:
  static void CALLBACK OnTick(HWND, UINT, UINT_PTR id, DWORD);
  void Step();
  void StepOnce();
  void Send(UINT command);
  void UseBarControls();
  bool SaveScreenshot() const;
  void SaveSequence();

  CMainFrame& frame_;
  CCamView& view_;
  std::wstring screenshotPath_;
  bool busy_ = false;
  int stage_ = 0;
  int ticks_ = 0;
  UINT_PTR timer_ = 0;
};
