// Values read as text and converted to the type the control asks for.
#include "host/ArgumentPropertyBag.h"

#include <oleauto.h>

bool CArgumentPropertyBag::Add(const std::wstring& assignment) {
  const std::size_t equals = assignment.find(L'=');
  if (equals == std::wstring::npos || equals == 0) return false;
  values_.emplace_back(assignment.substr(0, equals), assignment.substr(equals + 1));
  return true;
}

STDMETHODIMP CArgumentPropertyBag::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IPropertyBag) {
    *object = static_cast<IPropertyBag*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CArgumentPropertyBag::Release() {
  const ULONG refs = --refs_;
  if (refs == 0) delete this;
  return refs;
}

STDMETHODIMP CArgumentPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
  if (!name || !value) return E_POINTER;
  for (const auto& entry : values_) {
    if (_wcsicmp(entry.first.c_str(), name) != 0) continue;
    const VARTYPE wanted = V_VT(value);
    VariantClear(value);
    V_VT(value) = VT_BSTR;
    V_BSTR(value) = SysAllocString(entry.second.c_str());
    if (wanted == VT_EMPTY || wanted == VT_BSTR) return S_OK;
    return VariantChangeType(value, value, 0, wanted);
  }
  return E_INVALIDARG;
}
