// A control bar made from a dialog template, docked in a frame. Its push buttons follow the
// frame's update handlers at every idle update; its commands go to the frame's routing unless
// the bar handles them itself.
#pragma once

#include "platform/framework/ControlBar.h"
#include "platform/framework/Dialog.h"

class CDialogBar : public CControlBar, public CDialog {
 public:
  explicit CDialogBar(int templateId) : CDialog(templateId, nullptr) {}

  // Creates the bar as a child of the frame with the given control-bar id; false on failure.
  bool Create(CFrameWindow& frame, UINT barId);
  HWND BarWindow() const override { return Handle(); }
  int DockedThickness() const override { return thickness_; }
  void UpdateCommandStates(CFrameWindow& frame) override;

 protected:
  // The bar's own handling of a command from one of its controls; false passes clicks to the
  // frame's routing (so Enter and Escape never end a bar).
  virtual bool OnBarCommand(int id, int code, HWND control);
  CFrameWindow* Frame() const { return frame_; }

  void OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  CFrameWindow* frame_ = nullptr;
  int thickness_ = 0;
};
