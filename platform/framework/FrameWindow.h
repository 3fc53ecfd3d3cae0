// Frame window: lays out its control bars around the view and routes commands to the view first.
#pragma once

#include <vector>

#include "platform/framework/CommandTarget.h"
#include "platform/framework/ControlBar.h"
#include "platform/framework/WindowBase.h"

class CView;

class CFrameWindow : public CWindowBase, public CCommandTarget {
 public:
  void AddControlBar(CControlBar* bar, DockSide side);
  void ShowControlBar(CControlBar* bar, bool show);
  // Places the visible bars (top bars across the whole width, right bars below them) and gives
  // the view what remains.
  void RecalcLayout();

  void SetActiveView(CView* view) { activeView_ = view; }
  CView* ActiveView() const { return activeView_; }

  // Routes to the active view, then to the frame's own table, once the state that the same route
  // gives says the command is enabled. False when nobody has the command.
  bool RouteCommand(UINT id);
  // Asks the same targets for the command's state; a command nobody handles is disabled.
  bool QueryCommand(CCmdUI& ui);
  // Sends the idle update to every bar, as the hosting control's timer does.
  void UpdateAllBars();

  bool UpdateCommand(CCmdUI& ui) override;
  bool ExecuteCommand(UINT id) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  const wchar_t* ClassName() const override { return L"SelvarFrame"; }
  // A control's notification other than a click (a list's selection change, an edit's change):
  // never a command. True when the frame handled it.
  virtual bool OnControlNotification(int id, int code, HWND control);

 private:
  struct DockedBar {
    CControlBar* bar;
    DockSide side;
  };
  std::vector<DockedBar> bars_;
  CView* activeView_ = nullptr;
};
