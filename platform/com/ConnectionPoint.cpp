// Advise, Unadvise and firing for a connection point of a dispatch interface.
#include "platform/com/ConnectionPoint.h"

#include <olectl.h>

STDMETHODIMP CConnectionPoint::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP CConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = iid_;
  return S_OK;
}

STDMETHODIMP CConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (!container) return E_POINTER;
  *container = container_;
  container_->AddRef();
  return S_OK;
}

STDMETHODIMP CConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (!sink || !cookie) return E_POINTER;
  ComPtr<IDispatch> events;
  // The sink must speak the interface, or IDispatch: the interface is a dispatch interface.
  if (FAILED(sink->QueryInterface(iid_, events.put_void())) &&
      FAILED(sink->QueryInterface(IID_IDispatch, events.put_void()))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  *cookie = nextCookie_++;
  sinks_.push_back({*cookie, events});
  return S_OK;
}

STDMETHODIMP CConnectionPoint::Unadvise(DWORD cookie) {
  for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
    if (it->cookie == cookie) {
      sinks_.erase(it);
      return S_OK;
    }
  }
  return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP CConnectionPoint::EnumConnections(IEnumConnections** connections) {
  if (!connections) return E_POINTER;
  *connections = nullptr;
  return E_NOTIMPL;
}

bool CConnectionPoint::IsAdvised(DWORD cookie) const {
  for (const Sink& sink : sinks_) {
    if (sink.cookie == cookie) return true;
  }
  return false;
}

// A handler may advise, unadvise (itself or another sink) or let the control go: the sinks are
// called from a copy that holds a reference to each, and a sink unadvised meanwhile is skipped.
void CConnectionPoint::Fire(DISPID id, VARIANTARG* args, UINT count) {
  const std::vector<Sink> sinks = sinks_;
  for (const Sink& sink : sinks) {
    if (!IsAdvised(sink.cookie)) continue;
    DISPPARAMS params{args, nullptr, count, 0};
    VARIANT result;
    VariantInit(&result);
    // What a handler returns or fails with is its own business.
    sink.sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result,
                      nullptr, nullptr);
    VariantClear(&result);
  }
}
