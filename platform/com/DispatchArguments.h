// Positional arguments of an IDispatch::Invoke call, converted to the member's parameter types.
#pragma once

#include <oaidl.h>

#include <cstdint>

class CDispatchArguments {
 public:
  explicit CDispatchArguments(const DISPPARAMS* params) : params_(params) {}

  unsigned Count() const { return params_ ? params_->cArgs : 0; }
  // index counts from the first argument in the caller's order. Failures are dispatch errors.
  HRESULT Int32(unsigned index, LONG& value) const;
  HRESULT Int16(unsigned index, SHORT& value) const;
  // S_OK with exact = false when the number does not name an address of this process exactly.
  HRESULT Address(unsigned index, std::uintptr_t& address, bool& exact) const;

 private:
  const VARIANT* At(unsigned index) const;
  HRESULT Converted(unsigned index, VARTYPE type, VARIANT& out) const;

  const DISPPARAMS* params_;
};

// Result helpers for Invoke.
void SetResultLong(VARIANT* result, LONG value);
void SetResultShort(VARIANT* result, SHORT value);
void SetResultBool(VARIANT* result, bool value);
HRESULT SetResultText(VARIANT* result, const wchar_t* text);
