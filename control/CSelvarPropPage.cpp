// The property page's controls and their exchange with the control's properties, in the order
// filter, product number, serial number.
#include "control/CSelvarPropPage.h"

#include <cerrno>
#include <cstdint>
#include <cwchar>
#include <cwctype>
#include <new>

#include "platform/framework/WindowBase.h"
#include "resources/ControlResources.h"

namespace {

constexpr const wchar_t* kFilterChoices[] = {
    L"Kinetra E on USB 2.0.",       L"Kinetra E on Giga-Ethernet.", L"Kinetra P on USB 2.0.",
    L"Kinetra P on Giga-Ethernet.", L"Veltran D on Camera-Link.",   L"Orbitel T on Giga-Ethernet.",
};
constexpr LONG kFilterChoiceCount = sizeof kFilterChoices / sizeof kFilterChoices[0];
constexpr COLORREF kAttentionColour = RGB(255, 0, 0);

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// A decimal integer filling the whole text (blanks around it aside) within the 32-bit range.
bool ParseWholeNumber(const std::wstring& text, LONG& value) {
  const wchar_t* start = text.c_str();
  while (std::iswspace(*start)) ++start;
  if (!std::iswdigit(start[*start == L'-' ? 1 : 0])) return false;
  wchar_t* end = nullptr;
  errno = 0;
  const long long number = std::wcstoll(start, &end, 10);
  while (std::iswspace(*end)) ++end;
  if (*end != L'\0' || errno == ERANGE || number < INT32_MIN || number > INT32_MAX) return false;
  value = static_cast<LONG>(number);
  return true;
}

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

bool CSelvarPropPage::ExchangeWithObjects(bool toPage) {
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
    SetDlgItemTextW(Handle(), IDC_PAGE_STATUS, L"");
    return true;
  }
  // A number that does not fit is never written as something else: nothing is written.
  std::wstring why;
  LONG productNumber = productNumber_;
  LONG serialNumber = serialNumber_;
  const bool productRead = ReadNumber(IDC_PRODUCT_NUMBER, IDS_PAGE_PID_REFUSED, productNumber, why);
  const bool serialRead = ReadNumber(IDC_SERIAL_NUMBER, IDS_PAGE_SERIAL_REFUSED, serialNumber, why);
  SetDlgItemTextW(Handle(), IDC_PAGE_STATUS, why.c_str());
  if (!productRead || !serialRead) return false;
  filter_ = static_cast<LONG>(SendMessageW(Item(IDC_ENUM_FILTER), CB_GETCURSEL, 0, 0));
  productNumber_ = productNumber;
  serialNumber_ = serialNumber;
  WriteProperty(L"EnumFilter", filter_);
  WriteProperty(L"ProductNumber", productNumber_);
  WriteProperty(L"SerialNumber", serialNumber_);
  return true;
}

bool CSelvarPropPage::ReadNumber(int editId, UINT refusalId, LONG& value, std::wstring& why) const {
  const std::wstring text = TextOf(Item(editId));
  if (ParseWholeNumber(text, value)) return true;
  wchar_t format[160] = L"";
  LoadStringW(FrameworkInstance(), refusalId, format, 160);
  wchar_t line[320] = L"";
  std::swprintf(line, 320, format, text.c_str(), static_cast<long>(value));
  if (!why.empty()) why += L"\r\n";
  why += line;
  return false;
}

// The refusal is red, as everything that asks for attention.
bool CSelvarPropPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message != WM_CTLCOLORSTATIC || reinterpret_cast<HWND>(lParam) != Item(IDC_PAGE_STATUS)) {
    return false;
  }
  HDC dc = reinterpret_cast<HDC>(wParam);
  SetTextColor(dc, kAttentionColour);
  SetBkMode(dc, TRANSPARENT);
  result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
  return true;
}
