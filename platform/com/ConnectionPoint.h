// One outgoing interface of a control: the sinks its host advised, and the calls that fire its
// events on them. The container object owns it and lends it its own reference count.
#pragma once

#include <ocidl.h>

#include <vector>

#include "platform/com/ComPtr.h"

class CConnectionPoint : public IConnectionPoint {
 public:
  CConnectionPoint(IConnectionPointContainer* container, const IID& iid)
      : container_(container), iid_(iid) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return container_->AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return container_->Release(); }

  STDMETHODIMP GetConnectionInterface(IID* iid) override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

  const IID& Iid() const { return iid_; }
  // Calls member id on every sink with args (last argument first, as DISPPARAMS holds them).
  void Fire(DISPID id, VARIANTARG* args, UINT count);
  // Lets go of every sink (the control's close).
  void Clear() { sinks_.clear(); }

 private:
  struct Sink {
    DWORD cookie;
    ComPtr<IDispatch> sink;
  };
  IConnectionPointContainer* container_;
  IID iid_;
  bool IsAdvised(DWORD cookie) const;

  std::vector<Sink> sinks_;
  DWORD nextCookie_ = 1;
};
