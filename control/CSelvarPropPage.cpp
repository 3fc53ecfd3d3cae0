// The property page's controls and their exchange with the control's properties, in the order
// filter, product number, serial number.
#include "control/CSelvarPropPage.h"

#include <new>

#include "resources/ControlResources.h"

namespace {

constexpr const wchar_t* kFilterChoices[] = {
    L"Kinetra E on USB 2.0.",       L"Kinetra E on Giga-Ethernet.", L"Kinetra P on USB 2.0.",
    L"Kinetra P on Giga-Ethernet.", L"Veltran D on Camera-Link.",   L"Orbitel T on Giga-Ethernet.",
};
constexpr LONG kFilterChoiceCount = sizeof kFilterChoices / sizeof kFilterChoices[0];

}  // namespace

CSelvarPropPage::CSelvarPropPage()
    : CPropertyPageBase(IDD_PROPPAGE_SELVAR, IDS_SELVAR_PAGE_CAPTION, {250, 110}) {}

HRESULT CSelvarPropPage::CreateInstance(REFIID iid, void** object) {
  auto* page = new (std::nothrow) CSelvarPropPage;
  if (!page) return E_OUTOFMEMORY;
  const HRESULT hr = page->QueryInterface(iid, object);
  page->Release();
  return hr;
}

BOOL CSelvarPropPage::OnInitDialog() {
  for (const wchar_t* choice : kFilterChoices) {
    SendMessageW(Item(IDC_ENUM_FILTER), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
  }
  return TRUE;
}

void CSelvarPropPage::OnCommand(int id, int code, HWND) {
  if ((id == IDC_ENUM_FILTER && code == CBN_SELCHANGE) ||
      ((id == IDC_PRODUCT_NUMBER || id == IDC_SERIAL_NUMBER) && code == EN_CHANGE)) {
    SetDirty();
  }
}

void CSelvarPropPage::ExchangeWithObjects(bool toPage) {
  if (toPage) {
    ReadProperty(L"EnumFilter", filter_);
    ReadProperty(L"ProductNumber", productNumber_);
    ReadProperty(L"SerialNumber", serialNumber_);
    // A filter outside the list shows no choice.
    const bool listed = filter_ >= 0 && filter_ < kFilterChoiceCount;
    const WPARAM index = listed ? static_cast<WPARAM>(filter_) : static_cast<WPARAM>(-1);
    SendMessageW(Item(IDC_ENUM_FILTER), CB_SETCURSEL, index, 0);
    SetDlgItemInt(Handle(), IDC_PRODUCT_NUMBER, static_cast<UINT>(productNumber_), TRUE);
    SetDlgItemInt(Handle(), IDC_SERIAL_NUMBER, static_cast<UINT>(serialNumber_), TRUE);
    return;
  }
  filter_ = static_cast<LONG>(SendMessageW(Item(IDC_ENUM_FILTER), CB_GETCURSEL, 0, 0));
  BOOL ok = FALSE;
  productNumber_ = static_cast<LONG>(GetDlgItemInt(Handle(), IDC_PRODUCT_NUMBER, &ok, TRUE));
  serialNumber_ = static_cast<LONG>(GetDlgItemInt(Handle(), IDC_SERIAL_NUMBER, &ok, TRUE));
  WriteProperty(L"EnumFilter", filter_);
  WriteProperty(L"ProductNumber", productNumber_);
  WriteProperty(L"SerialNumber", serialNumber_);
}
