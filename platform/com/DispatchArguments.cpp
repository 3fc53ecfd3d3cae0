// Argument conversion through VariantChangeType, by-reference arguments included.
#include "platform/com/DispatchArguments.h"

#include <oleauto.h>

#include "platform/com/AddressValue.h"

const VARIANT* CDispatchArguments::At(unsigned index) const {
  if (index >= Count()) return nullptr;
  // DISPPARAMS holds the arguments last first.
  return &params_->rgvarg[params_->cArgs - 1 - index];
}

HRESULT CDispatchArguments::Converted(unsigned index, VARTYPE type, VARIANT& out) const {
  const VARIANT* in = At(index);
  if (!in) return DISP_E_PARAMNOTFOUND;
  VariantInit(&out);
  HRESULT hr = VariantCopyInd(&out, const_cast<VARIANT*>(in));
  if (SUCCEEDED(hr)) hr = VariantChangeType(&out, &out, 0, type);
  if (FAILED(hr)) VariantClear(&out);
  return hr;
}

HRESULT CDispatchArguments::Int32(unsigned index, LONG& value) const {
  VARIANT v;
  const HRESULT hr = Converted(index, VT_I4, v);
  if (SUCCEEDED(hr)) value = V_I4(&v);
  return hr;
}

HRESULT CDispatchArguments::Int16(unsigned index, SHORT& value) const {
  VARIANT v;
  const HRESULT hr = Converted(index, VT_I2, v);
  if (SUCCEEDED(hr)) value = V_I2(&v);
  return hr;
}

HRESULT CDispatchArguments::Address(unsigned index, std::uintptr_t& address, bool& exact) const {
  const VARIANT* in = At(index);
  if (!in) return DISP_E_PARAMNOTFOUND;
  VARIANT v;
  VariantInit(&v);
  if (FAILED(VariantCopyInd(&v, const_cast<VARIANT*>(in)))) return DISP_E_TYPEMISMATCH;
  std::uint64_t wide = 0;
  exact = false;
  switch (V_VT(&v)) {
    case VT_R4:
    case VT_R8:
      if (SUCCEEDED(VariantChangeType(&v, &v, 0, VT_R8))) {
        exact = AddressFromDouble(V_R8(&v), sizeof(void*), wide);
      }
      break;
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_UINT:
      if (SUCCEEDED(VariantChangeType(&v, &v, 0, VT_UI8))) {
        exact = AddressFromUnsigned(V_UI8(&v), sizeof(void*), wide);
      }
      break;
    default:
      if (SUCCEEDED(VariantChangeType(&v, &v, 0, VT_I8))) {
        exact = AddressFromInteger(V_I8(&v), sizeof(void*), wide);
      } else if (SUCCEEDED(VariantChangeType(&v, &v, 0, VT_UI8))) {
        exact = AddressFromUnsigned(V_UI8(&v), sizeof(void*), wide);
      }
      break;
  }
  VariantClear(&v);
  address = static_cast<std::uintptr_t>(wide);
  return S_OK;
}

void SetResultLong(VARIANT* result, LONG value) {
  if (!result) return;
  VariantInit(result);
  V_VT(result) = VT_I4;
  V_I4(result) = value;
}

void SetResultShort(VARIANT* result, SHORT value) {
  if (!result) return;
  VariantInit(result);
  V_VT(result) = VT_I2;
  V_I2(result) = value;
}

void SetResultBool(VARIANT* result, bool value) {
  if (!result) return;
  VariantInit(result);
  V_VT(result) = VT_BOOL;
  V_BOOL(result) = value ? VARIANT_TRUE : VARIANT_FALSE;
}

HRESULT SetResultText(VARIANT* result, const wchar_t* text) {
  if (!result) return S_OK;
  VariantInit(result);
  BSTR copy = SysAllocString(text);
  if (!copy) return E_OUTOFMEMORY;
  V_VT(result) = VT_BSTR;
  V_BSTR(result) = copy;
  return S_OK;
}
