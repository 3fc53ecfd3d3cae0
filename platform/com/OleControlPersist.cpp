// Persistence of the control's properties in a stream, a property bag or a storage; every
// medium goes through the derived class's one exchange routine.
#include "platform/com/OleControl.h"

namespace {

constexpr const wchar_t* kContentsStream = L"Contents";

}  // namespace

STDMETHODIMP COleControl::GetClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = *info_.clsid;
  return S_OK;
}

STDMETHODIMP COleControl::InitNew() {
  ResetProperties();
  modified_ = false;
  return S_OK;
}

HRESULT COleControl::LoadFrom(CPropertyExchange& exchange) {
  ExchangeProperties(exchange);
  modified_ = false;
  return exchange.Status();
}

STDMETHODIMP COleControl::Load(LPSTREAM stream) {
  if (!stream) return E_POINTER;
  CStreamExchange exchange(stream, true);
  return LoadFrom(exchange);
}

STDMETHODIMP COleControl::Save(LPSTREAM stream, BOOL clearDirty) {
  if (!stream) return E_POINTER;
  CStreamExchange exchange(stream, false);
  ExchangeProperties(exchange);
  if (SUCCEEDED(exchange.Status()) && clearDirty) modified_ = false;
  return exchange.Status();
}

STDMETHODIMP COleControl::GetSizeMax(ULARGE_INTEGER* size) {
  if (!size) return E_POINTER;
  // The stamp and every property are 32 bits; a control has few.
  size->QuadPart = 256;
  return S_OK;
}

STDMETHODIMP COleControl::Load(IPropertyBag* bag, IErrorLog* log) {
  if (!bag) return E_POINTER;
  CPropertyBagExchange exchange(bag, log, true);
  return LoadFrom(exchange);
}

STDMETHODIMP COleControl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
  if (!bag) return E_POINTER;
  CPropertyBagExchange exchange(bag, nullptr, false);
  ExchangeProperties(exchange);
  if (SUCCEEDED(exchange.Status()) && clearDirty) modified_ = false;
  return exchange.Status();
}

STDMETHODIMP COleControl::InitNew(IStorage*) { return InitNew(); }

STDMETHODIMP COleControl::Load(IStorage* storage) {
  if (!storage) return E_POINTER;
  ComPtr<IStream> stream;
  RETURN_IF_FAILED(storage->OpenStream(kContentsStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE,
                                       0, stream.put()));
  return Load(stream.get());
}

STDMETHODIMP COleControl::Save(IStorage* storage, BOOL) {
  if (!storage) return E_POINTER;
  ComPtr<IStream> stream;
  RETURN_IF_FAILED(storage->CreateStream(kContentsStream,
                                         STGM_WRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0, 0,
                                         stream.put()));
  return Save(stream.get(), TRUE);
}
