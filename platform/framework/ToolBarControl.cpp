// Toolbar creation, sizing and the idle refresh of its buttons.
#include "platform/framework/ToolBarControl.h"

#include <commctrl.h>

#include "platform/framework/CommandUI.h"
#include "platform/framework/DispatchScope.h"
#include "platform/framework/FrameWindow.h"

CToolBarControl::~CToolBarControl() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool CToolBarControl::Create(CFrameWindow& frame, DWORD style, UINT id) {
  frame_ = &frame;
  hwnd_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | style, 0, 0, 0, 0, frame.Handle(),
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), FrameworkInstance(),
                          nullptr);
  if (!hwnd_) return false;
  SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SetWindowSubclass(hwnd_, SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
  return true;
}

int CToolBarControl::DockedThickness() const {
  RECT rect{};
  if (SendMessageW(hwnd_, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect)) == 0) {
    const DWORD size = static_cast<DWORD>(SendMessageW(hwnd_, TB_GETBUTTONSIZE, 0, 0));
    return HIWORD(size) + 4;
  }
  return rect.bottom + 4;
}

void CToolBarControl::UpdateCommandStates(CFrameWindow& frame) {
  const int count = static_cast<int>(SendMessageW(hwnd_, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    SendMessageW(hwnd_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    if (button.fsStyle & BTNS_SEP) continue;
    CCmdUI ui(static_cast<UINT>(button.idCommand));
    frame.QueryCommand(ui);
    SendMessageW(hwnd_, TB_ENABLEBUTTON, button.idCommand, MAKELONG(ui.IsEnabled(), 0));
    SendMessageW(hwnd_, TB_CHECKBUTTON, button.idCommand, MAKELONG(ui.Checked() != 0, 0));
  }
}

LRESULT CToolBarControl::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CToolBarControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_IDLEUPDATECMDUI) {
    if (frame_) UpdateCommandStates(*frame_);
    return 0;
  }
  // Controls placed on the bar (a selector beside the buttons) report to the frame, as the
  // buttons do.
  if (message == WM_COMMAND && lParam != 0 && frame_ && frame_->Handle()) {
    return SendMessageW(frame_->Handle(), message, wParam, lParam);
  }
  return DefaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK CToolBarControl::SubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  const DispatchScope scope;
  auto* bar = reinterpret_cast<CToolBarControl*>(self);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, SubclassProc, 1);
    bar->hwnd_ = nullptr;
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  return bar->HandleMessage(message, wParam, lParam);
}
