// Frame layout and command routing.
#include "platform/framework/FrameWindow.h"

#include "platform/framework/View.h"

void CFrameWindow::AddControlBar(CControlBar* bar, DockSide side) {
  bars_.push_back({bar, side});
  RecalcLayout();
}

void CFrameWindow::ShowControlBar(CControlBar* bar, bool show) {
  if (bar->BarWindow()) ShowWindow(bar->BarWindow(), show ? SW_SHOWNORMAL : SW_HIDE);
  RecalcLayout();
}

void CFrameWindow::RecalcLayout() {
  if (!Handle()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  RECT rest = client;
  for (const DockedBar& docked : bars_) {
    if (docked.side != DockSide::Top || !docked.bar->IsVisible()) continue;
    const int height = docked.bar->DockedThickness();
    MoveWindow(docked.bar->BarWindow(), rest.left, rest.top, rest.right - rest.left, height, TRUE);
    rest.top += height;
  }
  for (const DockedBar& docked : bars_) {
    if (docked.side != DockSide::Right || !docked.bar->IsVisible()) continue;
    const int width = docked.bar->DockedThickness();
    rest.right -= width;
    MoveWindow(docked.bar->BarWindow(), rest.right, rest.top, width, rest.bottom - rest.top, TRUE);
  }
  if (rest.bottom < rest.top) rest.bottom = rest.top;
  if (rest.right < rest.left) rest.right = rest.left;
  if (activeView_ && activeView_->Handle()) {
    MoveWindow(activeView_->Handle(), rest.left, rest.top, rest.right - rest.left,
               rest.bottom - rest.top, TRUE);
  }
}

bool CFrameWindow::RouteCommand(UINT id) {
  // The state may come from one target and the handler from the next (a view rules on a command
  // that a bar of the frame carries out); a disabled command is swallowed here.
  CCmdUI ui(id);
  if (QueryCommand(ui) && !ui.IsEnabled()) return true;
  if (activeView_ && activeView_->ExecuteCommand(id)) return true;
  return ExecuteCommand(id);
}

bool CFrameWindow::QueryCommand(CCmdUI& ui) {
  if (activeView_ && activeView_->UpdateCommand(ui)) return true;
  if (UpdateCommand(ui)) return true;
  ui.Enable(false);
  return false;
}

void CFrameWindow::UpdateAllBars() {
  for (const DockedBar& docked : bars_) {
    if (docked.bar->BarWindow()) SendMessageW(docked.bar->BarWindow(), WM_IDLEUPDATECMDUI, 0, 0);
  }
}

// The plain frame has no commands of its own; derived frames add a table.
bool CFrameWindow::UpdateCommand(CCmdUI&) { return false; }
bool CFrameWindow::ExecuteCommand(UINT) { return false; }
bool CFrameWindow::OnControlNotification(int, int, HWND) { return false; }

LRESULT CFrameWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      RecalcLayout();
      return 0;
    case WM_COMMAND: {
      // Menus and accelerators carry no control; a control's click is a command, and any other
      // notification code belongs to the control's owner.
      const int code = HIWORD(wParam);
      HWND control = reinterpret_cast<HWND>(lParam);
      if (control && code != BN_CLICKED) {
        if (OnControlNotification(LOWORD(wParam), code, control)) return 0;
        break;
      }
      if (RouteCommand(LOWORD(wParam))) return 0;
      break;
    }
    case WM_SETFOCUS:
      if (activeView_ && activeView_->Handle()) SetFocus(activeView_->Handle());
      return 0;
  }
  return CWindowBase::HandleMessage(message, wParam, lParam);
}
