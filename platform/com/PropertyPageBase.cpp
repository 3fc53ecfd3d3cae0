// IPropertyPage over a child dialog; the objects' properties are reached by name through
// IDispatch, as a designer's property frame expects.
#include "platform/com/PropertyPageBase.h"

#include "platform/framework/WindowBase.h"

namespace {

HRESULT MemberId(IDispatch* object, const wchar_t* name, DISPID& id) {
  LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
  return object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
}

}  // namespace

STDMETHODIMP CPropertyPageBase::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPropertyPage) {
    *object = static_cast<IPropertyPage*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CPropertyPageBase::Release() {
  const ULONG refs = --refs_;
  if (refs == 0) delete this;
  return refs;
}

STDMETHODIMP CPropertyPageBase::SetPageSite(IPropertyPageSite* site) {
  site_ = ComPtr<IPropertyPageSite>(site);
  return S_OK;
}

STDMETHODIMP CPropertyPageBase::Activate(HWND parent, LPCRECT rect, BOOL) {
  SetParentWindow(parent);
  if (!Create()) return E_FAIL;
  filling_ = true;
  if (!objects_.empty()) ExchangeWithObjects(true);
  filling_ = false;
  dirty_ = false;
  if (rect) Move(rect);
  return S_OK;
}

STDMETHODIMP CPropertyPageBase::Deactivate() {
  CDialog::Destroy();
  return S_OK;
}

STDMETHODIMP CPropertyPageBase::GetPageInfo(PROPPAGEINFO* info) {
  if (!info) return E_POINTER;
  wchar_t caption[128] = L"";
  LoadStringW(FrameworkInstance(), captionId_, caption, 128);
  const size_t bytes = (wcslen(caption) + 1) * sizeof(wchar_t);
  info->pszTitle = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
  if (!info->pszTitle) return E_OUTOFMEMORY;
  memcpy(info->pszTitle, caption, bytes);
  const LONG units = GetDialogBaseUnits();
  info->size = {MulDiv(dialogUnits_.cx, LOWORD(units), 4), MulDiv(dialogUnits_.cy, HIWORD(units), 8)};
  info->pszDocString = nullptr;
  info->pszHelpFile = nullptr;
  info->dwHelpContext = 0;
  return S_OK;
}

STDMETHODIMP CPropertyPageBase::SetObjects(ULONG count, IUnknown** objects) {
  objects_.clear();
  for (ULONG i = 0; i < count && objects; ++i) {
    ComPtr<IDispatch> dispatch;
    if (objects[i] && SUCCEEDED(objects[i]->QueryInterface(IID_IDispatch, dispatch.put_void()))) {
      objects_.push_back(dispatch);
    }
  }
  return S_OK;
}

STDMETHODIMP CPropertyPageBase::Show(UINT command) {
  if (Handle()) ShowWindow(Handle(), static_cast<int>(command));
  return S_OK;
}

STDMETHODIMP CPropertyPageBase::Move(LPCRECT rect) {
  if (!rect) return E_POINTER;
  if (Handle()) {
    MoveWindow(Handle(), rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
               TRUE);
  }
  return S_OK;
}

STDMETHODIMP CPropertyPageBase::Apply() {
  if (!Handle()) return E_UNEXPECTED;
  // Refused values leave the page dirty, for the designer to correct.
  if (!ExchangeWithObjects(false)) return E_FAIL;
  dirty_ = false;
  if (site_) site_->OnStatusChange(PROPPAGESTATUS_CLEAN);
  return S_OK;
}

STDMETHODIMP CPropertyPageBase::TranslateAccelerator(MSG* message) {
  return message && Handle() && IsDialogMessageW(Handle(), message) ? S_OK : S_FALSE;
}

void CPropertyPageBase::SetDirty() {
  if (filling_) return;
  dirty_ = true;
  if (site_) site_->OnStatusChange(PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE);
}

bool CPropertyPageBase::ReadProperty(const wchar_t* name, LONG& value) const {
  if (objects_.empty()) return false;
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(MemberId(objects_.front().get(), name, id))) return false;
  DISPPARAMS none{};
  VARIANT result;
  VariantInit(&result);
  HRESULT hr = objects_.front()->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                        &none, &result, nullptr, nullptr);
  if (SUCCEEDED(hr)) hr = VariantChangeType(&result, &result, 0, VT_I4);
  if (SUCCEEDED(hr)) value = V_I4(&result);
  VariantClear(&result);
  return SUCCEEDED(hr);
}

void CPropertyPageBase::WriteProperty(const wchar_t* name, LONG value) const {
  for (const ComPtr<IDispatch>& object : objects_) {
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(MemberId(object.get(), name, id))) continue;
    VARIANT argument;
    VariantInit(&argument);
    V_VT(&argument) = VT_I4;
    V_I4(&argument) = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&argument, &named, 1, 1};
    object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                   nullptr, nullptr);
  }
}
