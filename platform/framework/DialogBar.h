// A control bar made from a dialog template, docked in a frame. Its push buttons follow the
// frame's update handlers at every idle update; its commands go to the frame's routing unless
// the bar handles them itself.
#pragma once

#include "platform/framework/ControlBar.h"
#include "platform/framework/Dialog.h"
#include "platform/framework/MessageFilter.h"

class CDialogBar : public CControlBar, public CDialog, private CMessageFilter {
 public:
  explicit CDialogBar(int templateId) : CDialog(templateId, nullptr) {}
  ~CDialogBar() override;

  // Creates the bar as a child of the frame with the given control-bar id; false on failure.
  bool Create(CFrameWindow& frame, UINT barId);
  HWND BarWindow() const override { return Handle(); }
  int DockedThickness() const override { return thickness_; }
  void UpdateCommandStates(CFrameWindow& frame) override;
  // Shows each control's short tip from the string-table entry of its id; false without a tip
  // window (the bar works on without tips).
  bool EnableToolTips();
  HWND ToolTips() const { return toolTips_; }

 protected:
  // The bar's own handling of a command from one of its controls; false passes clicks to the
  // frame's routing (so Enter and Escape never end a bar).
  virtual bool OnBarCommand(int id, int code, HWND control);
  CFrameWindow* Frame() const { return frame_; }

  void OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  // Dialog keys for the bar's controls.
  bool PreTranslateMessage(MSG& msg) override;

  CFrameWindow* frame_ = nullptr;
  int thickness_ = 0;
  HWND toolTips_ = nullptr;  // owned by the bar's window, which destroys it
};
