// The workstation's frame: creation of its bars and zoom selector, and their show and hide.
#include "ui/CMainFrame.h"

#include <commctrl.h>

#include <cstdio>
#include <iterator>

#include "platform/framework/View.h"
#include "render/ZoomSteps.h"
#include "resources/CommandIds.h"
#include "resources/WorkstationResources.h"

namespace {

constexpr UINT kToolBarButtons[] = {
    ID_CAMERA_RECORD, ID_CAMERA_STOP,    ID_CAMERA_PLAY, ID_CAMERA_TRIGGER,     0,
    ID_FRAME_FIRST,   ID_FRAME_PREVIOUS, ID_FRAME_REWIND, ID_FRAME_FAST_FORWARD, ID_FRAME_NEXT,
    ID_FRAME_LAST,    0,                 ID_SAVE_SEQUENCE};
constexpr int kZoomFontOutputPrecision = 2;
constexpr int kZoomListBottom = 120;
// The custom entry's text until the first fit rewrites it.
constexpr int kFirstCustomZoom = 5;

}  // namespace

const CommandEntry<CMainFrame> CMainFrame::kCommands[] = {
    {ID_EXPOSURE_DOWN, ID_EXPOSURE_UP, &CMainFrame::OnExposureStep, nullptr},
};

bool CMainFrame::CreateFrame(HWND parent) {
  topLevel_ = parent == nullptr;
  RECT rect{40, 40, 40 + 1100, 40 + 900};
  if (parent) GetClientRect(parent, &rect);
  const DWORD style = parent ? WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN
                             : WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  if (!Create(0, L"Selvar", style, rect, parent, nullptr)) return false;
  if (topLevel_) {
    HICON icon = LoadIconW(FrameworkInstance(), MAKEINTRESOURCEW(IDI_MAINFRAME));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
  return true;
}

int CMainFrame::OnCreate() {
  if (!toolBar_.Create(*this, WS_VISIBLE | CCS_TOP | CCS_NODIVIDER, IDW_TOOLBAR)) return -1;
  if (!toolBar_.LoadToolBarImages(IDB_TOOLBAR_NORMAL, IDB_TOOLBAR_HOT, IDB_TOOLBAR_DISABLED,
                                  kToolBarButtons, static_cast<int>(std::size(kToolBarButtons)),
                                  true)) {
    return -1;
  }
  zoomFont_ = UniqueFont(CreateFontW(14, 0, 0, 0, 400, FALSE, FALSE, FALSE, 0,
                                     kZoomFontOutputPrecision, 0, 0, 0, L"Arial"));
  HWND bar = toolBar_.BarWindow();
  RECT separator{}, save{};
  SendMessageW(bar, TB_GETRECT, 0, reinterpret_cast<LPARAM>(&separator));
  SendMessageW(bar, TB_GETRECT, ID_SAVE_SEQUENCE, reinterpret_cast<LPARAM>(&save));
  const int unit = separator.right - separator.left;
  const int left = save.right + 2 * unit;
  zoomSelector_ = CreateWindowExW(
      0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT,
      left, 2, 10 * unit, kZoomListBottom - 2, bar,
      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ID_ZOOM_SELECTOR)), FrameworkInstance(), nullptr);
  if (zoomSelector_) {
    SendMessageW(zoomSelector_, WM_SETFONT, reinterpret_cast<WPARAM>(zoomFont_.get()), TRUE);
    for (int i = 0; i <= kZoomPresetCount; ++i) {
      const int zoom = i < kZoomPresetCount ? kZoomPresets[i] : kFirstCustomZoom;
      wchar_t text[16];
      std::swprintf(text, 16, L"%d%%", zoom);
      SendMessageW(zoomSelector_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
      if (zoom == 100) SendMessageW(zoomSelector_, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    }
  }
  AddControlBar(&toolBar_, DockSide::Top);

  if (!cameraBar_.Create(*this)) return -1;
  ShowWindow(cameraBar_.Handle(), SW_SHOWNORMAL);
  AddControlBar(&cameraBar_, DockSide::Right);
  return 0;
}

void CMainFrame::OnZoomSelected() {
  const LRESULT index = SendMessageW(zoomSelector_, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR || !ActiveView() || !ActiveView()->Handle()) return;
  SendMessageW(ActiveView()->Handle(), WM_COMMAND,
               MAKEWPARAM(ID_ZOOM_FIRST + static_cast<UINT>(index), 0), 0);
}

void CMainFrame::SelectZoomEntry(int index) {
  if (zoomSelector_) SendMessageW(zoomSelector_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void CMainFrame::SetCustomZoomText(int percent) {
  if (!zoomSelector_) return;
  const LRESULT count = SendMessageW(zoomSelector_, CB_GETCOUNT, 0, 0);
  if (count > 0) SendMessageW(zoomSelector_, CB_DELETESTRING, static_cast<WPARAM>(count - 1), 0);
  wchar_t text[16];
  std::swprintf(text, 16, L"%d%%", percent);
  SendMessageW(zoomSelector_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void CMainFrame::EnableZoomSelector(bool enable) {
  if (zoomSelector_) EnableWindow(zoomSelector_, enable);
}

void CMainFrame::ShowToolBar(bool show) { ShowControlBar(&toolBar_, show); }

void CMainFrame::ShowCameraBar(bool show) { ShowControlBar(&cameraBar_, show); }

void CMainFrame::OnExposureStep(UINT id) {
  if (id == ID_EXPOSURE_DOWN) {
    cameraBar_.OnExposureDown();
  } else {
    cameraBar_.OnExposureUp();
  }
}

bool CMainFrame::UpdateCommand(CCmdUI& ui) { return UpdateFromTable(*this, kCommands, ui); }

bool CMainFrame::ExecuteCommand(UINT id) { return ExecuteFromTable(*this, kCommands, id); }

bool CMainFrame::OnControlNotification(int id, int code, HWND) {
  if (id != ID_ZOOM_SELECTOR || code != CBN_SELCHANGE) return false;
  OnZoomSelected();
  return true;
}

LRESULT CMainFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate();
    case WM_DESTROY:
      // A frame of its own is the program's main window.
      if (topLevel_) PostQuitMessage(0);
      break;
  }
  return CFrameWindow::HandleMessage(message, wParam, lParam);
}
