// Property bag and stream media for the property exchange.
#include "platform/com/PropertyExchange.h"

#include <oleauto.h>

namespace {

constexpr const wchar_t* kVersionName = L"_Version";

// Reads a value of any type that converts to a 32-bit integer; false when absent or not numeric.
bool ReadLong(IPropertyBag* bag, IErrorLog* log, const wchar_t* name, LONG& value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  if (FAILED(bag->Read(name, &v, log))) {
    VariantClear(&v);
    return false;
  }
  const HRESULT hr = VariantChangeType(&v, &v, 0, VT_I4);
  if (SUCCEEDED(hr)) value = V_I4(&v);
  VariantClear(&v);
  return SUCCEEDED(hr);
}

HRESULT WriteLong(IPropertyBag* bag, const wchar_t* name, LONG value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return bag->Write(name, &v);
}

}  // namespace

void CPropertyBagExchange::ExchangeVersion(DWORD& version) {
  if (loading_) {
    LONG stored = static_cast<LONG>(version);
    if (ReadLong(bag_, log_, kVersionName, stored)) version = static_cast<DWORD>(stored);
  } else {
    const HRESULT hr = WriteLong(bag_, kVersionName, static_cast<LONG>(version));
    if (FAILED(hr)) Fail(hr);
  }
}

void CPropertyBagExchange::ExchangeLong(const wchar_t* name, std::int32_t& value, std::int32_t defaultValue) {
  if (loading_) {
    LONG stored = 0;
    value = ReadLong(bag_, log_, name, stored) ? stored : defaultValue;
  } else {
    const HRESULT hr = WriteLong(bag_, name, value);
    if (FAILED(hr)) Fail(hr);
  }
}

void CStreamExchange::Exchange32(DWORD& value) {
  ULONG done = 0;
  const HRESULT hr = loading_ ? stream_->Read(&value, sizeof value, &done)
                              : stream_->Write(&value, sizeof value, &done);
  if (FAILED(hr)) {
    Fail(hr);
  } else if (done != sizeof value) {
    Fail(loading_ ? STG_E_READFAULT : STG_E_WRITEFAULT);
  }
}

void CStreamExchange::ExchangeVersion(DWORD& version) {
  DWORD stored = version;
  Exchange32(stored);
  // A stream too short for a stamp holds no state of any version.
  if (loading_) version = SUCCEEDED(Status()) ? stored : 0;
}

void CStreamExchange::ExchangeLong(const wchar_t*, std::int32_t& value, std::int32_t defaultValue) {
  DWORD stored = static_cast<DWORD>(value);
  Exchange32(stored);
  if (loading_) value = SUCCEEDED(Status()) ? static_cast<std::int32_t>(stored) : defaultValue;
}

void CStreamExchange::ExchangeAddedLong(const wchar_t* name, std::int32_t& value,
                                        std::int32_t defaultValue) {
  if (!loading_) {
    ExchangeLong(name, value, defaultValue);
    return;
  }
  DWORD stored = 0;
  ULONG done = 0;
  const HRESULT hr = stream_->Read(&stored, sizeof stored, &done);
  value = SUCCEEDED(hr) && done == sizeof stored ? static_cast<std::int32_t>(stored) : defaultValue;
}
