// Workstation frame creation, its toolbar and its status text.
#include "control/HostFrame.h"

#include <commctrl.h>

#include <cstdio>

#include "resources/CommandIds.h"

namespace {

struct ButtonEntry {
  int id;
  const wchar_t* text;
};

constexpr ButtonEntry kButtons[] = {
    {ID_CAMERA_RECORD, L"Record"},  {ID_CAMERA_STOP, L"Stop"},     {ID_CAMERA_PLAY, L"Live"},
    {ID_CAMERA_TRIGGER, L"Trigger"}, {0, nullptr},                 {ID_FRAME_FIRST, L"|<"},
    {ID_FRAME_PREVIOUS, L"<"},      {ID_FRAME_REWIND, L"<<"},      {ID_FRAME_FAST_FORWARD, L">>"},
    {ID_FRAME_NEXT, L">"},          {ID_FRAME_LAST, L">|"}};

}  // namespace

bool CHostFrame::CreateFrame(HWND parent) {
  RECT rect{};
  GetClientRect(parent, &rect);
  if (!Create(0, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, nullptr)) {
    return false;
  }
  if (!toolbar_.Create(*this, WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_TOP, 59392)) {
    return false;
  }
  SendMessageW(toolbar_.BarWindow(), TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
  for (const ButtonEntry& entry : kButtons) {
    TBBUTTON button{};
    button.iBitmap = I_IMAGENONE;
    button.idCommand = entry.id;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = entry.id ? BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT : BTNS_SEP;
    button.iString = reinterpret_cast<INT_PTR>(entry.text);
    SendMessageW(toolbar_.BarWindow(), TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
  }
  SendMessageW(toolbar_.BarWindow(), TB_AUTOSIZE, 0, 0);
  AddControlBar(&toolbar_, DockSide::Top);
  return true;
}

void CHostFrame::SetStatus(const std::wstring& text) {
  status_ = text;
  SetWindowTextW(Handle(), (L"Selvar - " + text).c_str());
}

void CHostFrame::ShowFrameIndex(int current, int total) {
  wchar_t format[64] = L"Frame %d of %d";
  LoadStringW(FrameworkInstance(), IDS_FRAME_OF, format, 64);
  wchar_t text[96];
  std::swprintf(text, 96, format, current, total);
  SetStatus(text);
}

void CHostFrame::ShowStatusMessage(UINT stringId) {
  wchar_t text[256] = L"";
  LoadStringW(FrameworkInstance(), stringId, text, 256);
  SetStatus(text);
}
