// A property bag holding the Name=Value pairs of the host's --prop arguments, as text.
#pragma once

#include <ocidl.h>

#include <atomic>
#include <string>
#include <utility>
#include <vector>

class CArgumentPropertyBag : public IPropertyBag {
 public:
  CArgumentPropertyBag() = default;
  virtual ~CArgumentPropertyBag() = default;

  // "Name=Value"; false when there is no '=' or no name.
  bool Add(const std::wstring& assignment);
  bool Empty() const { return values_.empty(); }

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override;
  STDMETHODIMP Write(LPCOLESTR, VARIANT*) override { return E_NOTIMPL; }

 private:
  std::atomic<ULONG> refs_{1};
  std::vector<std::pair<std::wstring, std::wstring>> values_;
};
