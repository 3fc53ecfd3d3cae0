// The main toolbar: flat buttons with normal, hot and disabled pictures, and a tool-tip control of
// its own that it feeds with its mouse messages, showing each button's whole command text.
#pragma once

#include <windows.h>

#include "platform/framework/ToolBarControl.h"
#include "platform/win32/ImageList.h"

class CCamToolBar : public CToolBarControl {
 public:
  // Creates the toolbar and its tip control; without a tip control it works on without tips.
  bool Create(CFrameWindow& frame, DWORD style, UINT id);
  // Images from the three strips (hot and disabled may be 0), buttons from the ids (0 for a
  // separator); false when the normal strip cannot be loaded.
  bool LoadToolBarImages(UINT normalId, UINT hotId, UINT disabledId, const UINT* ids, int count,
                         bool gripper);

  UINT ShowingTipId() const { return showingTipId_; }
  HWND ToolTips() const { return toolTips_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void UpdateTipFor(POINT position);
  // The strip with every light grey pixel turned into the button face of the moment.
  UniqueImageList AddBitmapToImageList(UINT bitmapId, int imageWidth, COLORREF background);

  HWND toolTips_ = nullptr;  // owned by the toolbar's window, which destroys it
  UINT showingTipId_ = 0;
  UniqueImageList normalImages_;
  UniqueImageList hotImages_;
  UniqueImageList disabledImages_;
};
