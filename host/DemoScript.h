// The unattended run of the host program: live for a moment, record, step through the sequence,
// save a screenshot and report where it ended.
#pragma once

#include <windows.h>

#include <string>

class CCamView;
class CHostFrame;

class CDemoScript {
 public:
  CDemoScript(CHostFrame& frame, CCamView& view, std::wstring screenshotPath);
  void Start();

 private:
  static void CALLBACK OnTick(HWND, UINT, UINT_PTR id, DWORD);
  void Step();
  void StepOnce();
  void Send(UINT command);
  bool SaveScreenshot() const;
  void SaveSequence();

  CHostFrame& frame_;
  CCamView& view_;
  std::wstring screenshotPath_;
  bool busy_ = false;
  int stage_ = 0;
  int ticks_ = 0;
  UINT_PTR timer_ = 0;
};
