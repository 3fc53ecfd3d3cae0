// A class factory for one class of the module, creating objects through a plain function.
#pragma once

#include <unknwn.h>

#include <atomic>

#include "platform/com/ComModule.h"

using CreateInstanceFn = HRESULT (*)(REFIID iid, void** object);

class CClassFactory : public IClassFactory {
 public:
  explicit CClassFactory(CreateInstanceFn create) : create_(create) {}
  virtual ~CClassFactory() = default;

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  STDMETHODIMP LockServer(BOOL lock) override;

 private:
  ModuleObjectCount count_;
  std::atomic<ULONG> refs_{1};
  CreateInstanceFn create_;
};
