// The main toolbar: its pictures with the button-face replacement, and its own tip tracking.
#include "ui/CCamToolBar.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/framework/CommandText.h"
#include "platform/framework/WindowBase.h"

namespace {

constexpr int kImageWidth = 20;
constexpr int kButtonMargin = 7;
// The first button stands off the bar's edge by the width of a gripper.
constexpr int kGripperIndent = 8;

}  // namespace

bool CCamToolBar::Create(CFrameWindow& frame, DWORD style, UINT id) {
  if (!CToolBarControl::Create(frame, style, id)) return false;
  toolTips_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, BarWindow(), nullptr,
                              FrameworkInstance(), nullptr);
  if (toolTips_) {
    TTTOOLINFOW tool{sizeof tool};
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = BarWindow();
    tool.uId = reinterpret_cast<UINT_PTR>(BarWindow());
    wchar_t empty[] = L"";
    tool.lpszText = empty;
    SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(toolTips_, TTM_ACTIVATE, TRUE, 0);
  }
  showingTipId_ = 0;
  return true;
}

UniqueImageList CCamToolBar::AddBitmapToImageList(UINT bitmapId, int imageWidth,
                                                  COLORREF background) {
  const UniqueBitmap bitmap(LoadImageW(FrameworkInstance(), MAKEINTRESOURCEW(bitmapId),
                                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  DIBSECTION section{};
  if (!bitmap || GetObjectW(bitmap.get(), sizeof section, &section) != sizeof section ||
      section.dsBm.bmBitsPixel != 24 || !section.dsBm.bmBits) {
    return UniqueImageList();
  }
  const int width = section.dsBm.bmWidth;
  const int height = section.dsBm.bmHeight;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<BYTE*>(section.dsBm.bmBits) + y * section.dsBm.bmWidthBytes;
    for (int x = 0; x < width; ++x) {
      BYTE* pixel = row + 3 * x;  // blue, green, red
      if (RGB(pixel[2], pixel[1], pixel[0]) != background) continue;
      pixel[0] = GetBValue(face);
      pixel[1] = GetGValue(face);
      pixel[2] = GetRValue(face);
    }
  }
  const int count = width / imageWidth;
  UniqueImageList list(ImageList_Create(imageWidth, imageWidth, ILC_COLOR24, count, 0));
  if (list) ImageList_Add(list.get(), static_cast<HBITMAP>(bitmap.get()), nullptr);
  return list;
}

bool CCamToolBar::LoadToolBarImages(UINT normalId, UINT hotId, UINT disabledId, const UINT* ids,
                                    int count, bool gripper) {
  HWND bar = BarWindow();
  SetWindowLongW(bar, GWL_STYLE, GetWindowLongW(bar, GWL_STYLE) | TBSTYLE_FLAT);
  const COLORREF lightGrey = RGB(192, 192, 192);
  normalImages_ = AddBitmapToImageList(normalId, kImageWidth, lightGrey);
  if (!normalImages_) return false;
  int imageWidth = 0, imageHeight = 0;
  ImageList_GetIconSize(normalImages_.get(), &imageWidth, &imageHeight);
  SendMessageW(bar, TB_SETBITMAPSIZE, 0, MAKELONG(kImageWidth, imageHeight));
  SendMessageW(bar, TB_SETBUTTONSIZE, 0,
               MAKELONG(kImageWidth + kButtonMargin, imageHeight + kButtonMargin));
  SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(normalImages_.get()));
  if (hotId) {
    hotImages_ = AddBitmapToImageList(hotId, kImageWidth, lightGrey);
    SendMessageW(bar, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hotImages_.get()));
  }
  if (disabledId) {
    disabledImages_ = AddBitmapToImageList(disabledId, kImageWidth, lightGrey);
    SendMessageW(bar, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabledImages_.get()));
  }
  std::vector<TBBUTTON> buttons;
  int image = 0;
  for (int i = 0; i < count; ++i) {
    TBBUTTON button{};
    button.idCommand = static_cast<int>(ids[i]);
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = ids[i] ? BTNS_BUTTON : BTNS_SEP;
    button.iBitmap = ids[i] ? image++ : 0;
    buttons.push_back(button);
  }
  SendMessageW(bar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  if (gripper) SendMessageW(bar, TB_SETINDENT, kGripperIndent, 0);
  SendMessageW(bar, TB_AUTOSIZE, 0, 0);
  return true;
}

void CCamToolBar::UpdateTipFor(POINT position) {
  if (!toolTips_) return;
  HWND bar = BarWindow();
  for (int index = 0;; ++index) {
    RECT item{};
    // The walk ends at the first item without a rectangle: past the last button, the tip goes.
    if (!SendMessageW(bar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) ||
        IsRectEmpty(&item)) {
      SendMessageW(toolTips_, TTM_ACTIVATE, FALSE, 0);
      showingTipId_ = 0;
      return;
    }
    TBBUTTON button{};
    SendMessageW(bar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
    if (button.idCommand == 0 || !PtInRect(&item, position)) continue;
    const UINT id = static_cast<UINT>(button.idCommand);
    if (id == showingTipId_) return;
    SendMessageW(toolTips_, TTM_ACTIVATE, FALSE, 0);
    std::wstring text = LoadCommandText(id);
    TTTOOLINFOW tool{sizeof tool};
    tool.hwnd = bar;
    tool.uId = reinterpret_cast<UINT_PTR>(bar);
    tool.lpszText = &text[0];
    SendMessageW(toolTips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(toolTips_, TTM_ACTIVATE, TRUE, 0);
    showingTipId_ = id;
    return;
  }
}

LRESULT CCamToolBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      toolTips_ = nullptr;  // goes with its owner
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE: {
      UpdateTipFor({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      if (toolTips_) {
        MSG relayed{BarWindow(), message, wParam, lParam, 0, {}};
        SendMessageW(toolTips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
      }
      break;
    }
  }
  return CToolBarControl::HandleMessage(message, wParam, lParam);
}
