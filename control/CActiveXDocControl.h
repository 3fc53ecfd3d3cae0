// An ActiveX control that runs a single-document application inside its window: the template's
// frame covers the control, gets its focus, and has its command states refreshed by a timer as
// an application's idle loop would.
#pragma once

#include <memory>

#include "control/CHostedDocTemplate.h"
#include "platform/com/OleControl.h"

// The framework's idle command-update message number, used as the refresh timer's id.
constexpr UINT_PTR kIdleUpdateTimerId = 867;
constexpr UINT kIdleUpdatePeriodMs = 300;

class CActiveXDocControl : public COleControl {
 public:
  explicit CActiveXDocControl(const OleControlClass& info) : COleControl(info) {}

  void SetDocTemplate(std::unique_ptr<CHostedDocTemplate> docTemplate);
  // This control's own frame and view; null before the window exists, after it went, or when
  // the frame could not be created.
  CFrameWindow* Frame() const { return frame_; }
  CCamView* View() const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  const wchar_t* ClassName() const override { return L"SelvarControl"; }

 private:
  LRESULT OnCreate();
  void OnSize();
  void OnTimer();
  void OnSetFocus();
  void OnDestroy();

  std::unique_ptr<CHostedDocTemplate> docTemplate_;
  CFrameWindow* frame_ = nullptr;
};
