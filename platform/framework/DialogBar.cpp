// Dialog bar creation, command forwarding and the idle refresh of its controls.
#include "platform/framework/DialogBar.h"

#include <commctrl.h>

#include <string>

#include "platform/framework/CommandText.h"
#include "platform/framework/CommandUI.h"
#include "platform/framework/FrameWindow.h"

namespace {

bool IsButton(HWND control) { return SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON; }

// Push buttons stand for commands: with nobody to carry one out they are disabled. Check boxes,
// radio buttons, group boxes and other controls are the bar's own unless a handler speaks for them.
bool IsCommandButton(HWND control) {
  const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  return IsButton(control) && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

struct UpdateContext {
  CFrameWindow* frame;
};

BOOL CALLBACK UpdateControl(HWND control, LPARAM context) {
  const int id = GetDlgCtrlID(control);
  if (id <= 0 || id == 0xFFFF) return TRUE;  // labels
  CFrameWindow& frame = *reinterpret_cast<UpdateContext*>(context)->frame;
  CCmdUI ui(static_cast<UINT>(id));
  const bool handled = frame.QueryCommand(ui);
  const bool command = IsCommandButton(control);
  if (!handled && !command) return TRUE;
  EnableWindow(control, ui.IsEnabled());
  if (handled && !command && IsButton(control)) {
    SendMessageW(control, BM_SETCHECK, ui.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  return TRUE;
}

BOOL CALLBACK AddControlTip(HWND control, LPARAM tips) {
  const int id = GetDlgCtrlID(control);
  if (id <= 0 || id == 0xFFFF) return TRUE;
  std::wstring tip = ShortTipOf(LoadCommandText(static_cast<UINT>(id)));
  if (tip.empty()) return TRUE;
  TTTOOLINFOW tool{sizeof tool};
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = &tip[0];
  SendMessageW(reinterpret_cast<HWND>(tips), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  return TRUE;
}

}  // namespace

CDialogBar::~CDialogBar() { RemoveMessageFilter(this); }

bool CDialogBar::EnableToolTips() {
  if (!Handle()) return false;
  if (!toolTips_) {
    toolTips_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                FrameworkInstance(), nullptr);
    if (!toolTips_) return false;
  }
  EnumChildWindows(Handle(), AddControlTip, reinterpret_cast<LPARAM>(toolTips_));
  return true;
}

bool CDialogBar::PreTranslateMessage(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !Handle()) return false;
  if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) return false;
  return IsDialogMessageW(Handle(), &msg) != FALSE;
}

bool CDialogBar::Create(CFrameWindow& frame, UINT barId) {
  frame_ = &frame;
  SetParentWindow(frame.Handle());
  HWND bar = CDialog::Create();
  if (!bar) return false;
  SetWindowLongPtrW(bar, GWLP_ID, static_cast<LONG_PTR>(barId));
  RemoveMessageFilter(this);
  AddMessageFilter(this);
  RECT rect;
  GetWindowRect(bar, &rect);
  thickness_ = rect.right - rect.left;  // docked on the right: as wide as its template
  return true;
}

void CDialogBar::UpdateCommandStates(CFrameWindow& frame) {
  UpdateContext context{&frame};
  EnumChildWindows(Handle(), UpdateControl, reinterpret_cast<LPARAM>(&context));
}

bool CDialogBar::OnBarCommand(int, int, HWND) { return false; }

void CDialogBar::OnCommand(int id, int code, HWND control) {
  if (OnBarCommand(id, code, control) || !frame_) return;
  // Only clicks are commands; other notifications belong to the bar.
  if (code == BN_CLICKED) frame_->RouteCommand(static_cast<UINT>(id));
}

bool CDialogBar::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) {
  if (message != WM_IDLEUPDATECMDUI || !frame_) return false;
  UpdateCommandStates(*frame_);
  result = TRUE;
  return true;
}
