// A common-controls toolbar docked in a frame; its buttons follow the frame's update handlers.
#pragma once

#include "platform/framework/ControlBar.h"

class CToolBarControl : public CControlBar {
 public:
  CToolBarControl() = default;
  ~CToolBarControl() override;
  CToolBarControl(const CToolBarControl&) = delete;
  CToolBarControl& operator=(const CToolBarControl&) = delete;

  // Creates the toolbar as a child of the frame; the frame routes the buttons' commands.
  bool Create(CFrameWindow& frame, DWORD style, UINT id);
  HWND BarWindow() const override { return hwnd_; }
  int DockedThickness() const override;
  void UpdateCommandStates(CFrameWindow& frame) override;

 protected:
  // Messages reaching the toolbar window, before the common control's own handling.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR self);
  HWND hwnd_ = nullptr;
  CFrameWindow* frame_ = nullptr;
};
