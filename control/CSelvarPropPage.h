// The control's property page "Camera": the enumeration filter and the wanted camera's serial
// number in its two parts.
#pragma once

#include <string>

#include "platform/com/PropertyPageBase.h"

class CSelvarPropPage : public CPropertyPageBase {
 public:
  CSelvarPropPage();

  static HRESULT CreateInstance(REFIID iid, void** object);

 protected:
  BOOL OnInitDialog() override;
  void OnCommand(int id, int code, HWND control) override;
  bool ExchangeWithObjects(bool toPage) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  // The number in an edit into value, or false when its text is not a whole number that fits:
  // value is kept then, and a line naming the text and the value kept is added to `why`.
  bool ReadNumber(int editId, UINT refusalId, LONG& value, std::wstring& why) const;

  // The page's fields, filled from the control when the page opens.
  LONG filter_ = -1;
  LONG productNumber_ = 0;
  LONG serialNumber_ = 0;
};
