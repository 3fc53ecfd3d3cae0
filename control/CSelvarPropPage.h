// The control's property page "Camera": the enumeration filter and the wanted camera's serial
// number in its two parts.
#pragma once

#include "platform/com/PropertyPageBase.h"

class CSelvarPropPage : public CPropertyPageBase {
 public:
  CSelvarPropPage();

  static HRESULT CreateInstance(REFIID iid, void** object);

 protected:
  BOOL OnInitDialog() override;
  void OnCommand(int id, int code, HWND control) override;
  void ExchangeWithObjects(bool toPage) override;

 private:
  // The page's fields, filled from the control when the page opens.
  LONG filter_ = -1;
  LONG productNumber_ = 0;
  LONG serialNumber_ = 0;
};
