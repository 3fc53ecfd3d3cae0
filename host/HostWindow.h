// The host's top-level window: it gives its client area to the control it sites and ends the
// message loop when it is closed.
#pragma once

#include <ocidl.h>

#include "platform/com/ComPtr.h"
#include "platform/framework/WindowBase.h"

class CHostWindow : public CWindowBase {
 public:
  // Hidden windows serve programs that need no picture (tests, benchmarks), which then leave the
  // shared display to those that take screenshots.
  bool CreateHostWindow(const wchar_t* title, bool visible = true);

  // Sites the control here, loads its properties (bag, or none for a new control) and activates
  // it in place. The control's dispatch, or an empty pointer on failure.
  ComPtr<IDispatch> SiteControl(const ComPtr<IOleObject>& control, IPropertyBag* properties);
  // Offers a key message to the active control, as a container must before dispatching it; true
  // when the control took it.
  bool TranslateControlKey(MSG& msg) const;
  // Closes and lets go of the control.
  void RemoveControl();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  const wchar_t* ClassName() const override { return L"SelvarHostWindow"; }
  HBRUSH BackgroundBrush() const override { return GetSysColorBrush(COLOR_APPWORKSPACE); }

 private:
  ComPtr<IOleObject> control_;
  ComPtr<IOleInPlaceObject> inPlace_;
  ComPtr<IOleInPlaceActiveObject> active_;
};
