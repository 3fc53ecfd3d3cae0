// Finding the control's event names, advising the sink, and calling the script's handlers.
#include "host/ScriptEvents.h"

#include <ocidl.h>
#include <olectl.h>

namespace {

// The default source interface of the control's class, as its class information describes it.
HRESULT DefaultSource(IDispatch* control, ComPtr<ITypeInfo>& source) {
  ComPtr<IProvideClassInfo> provider;
  ComPtr<ITypeInfo> coclass;
  RETURN_IF_FAILED(control->QueryInterface(IID_IProvideClassInfo, provider.put_void()));
  RETURN_IF_FAILED(provider->GetClassInfo(coclass.put()));
  TYPEATTR* attributes = nullptr;
  RETURN_IF_FAILED(coclass->GetTypeAttr(&attributes));
  const UINT count = attributes->cImplTypes;
  coclass->ReleaseTypeAttr(attributes);
  for (UINT i = 0; i < count; ++i) {
    INT flags = 0;
    HREFTYPE reference = 0;
    if (FAILED(coclass->GetImplTypeFlags(i, &flags)) ||
        (flags & (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) !=
            (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE) ||
        FAILED(coclass->GetRefTypeOfImplType(i, &reference))) {
      continue;
    }
    return coclass->GetRefTypeInfo(reference, source.put());
  }
  return E_NOINTERFACE;
}

}  // namespace

bool CScriptEvents::ReadEventNames(IDispatch* control, IID& events) {
  ComPtr<ITypeInfo> source;
  TYPEATTR* attributes = nullptr;
  if (FAILED(DefaultSource(control, source)) || FAILED(source->GetTypeAttr(&attributes))) {
    return false;
  }
  events = attributes->guid;
  const UINT functions = attributes->cFuncs;
  source->ReleaseTypeAttr(attributes);
  for (UINT i = 0; i < functions; ++i) {
    FUNCDESC* function = nullptr;
    if (FAILED(source->GetFuncDesc(i, &function))) continue;
    BSTR name = nullptr;
    UINT got = 0;
    if (SUCCEEDED(source->GetNames(function->memid, &name, 1, &got)) && got == 1) {
      names_[function->memid] = name;
    }
    SysFreeString(name);
    source->ReleaseFuncDesc(function);
  }
  return true;
}

bool CScriptEvents::Connect(IDispatch* control) {
  IID events{};
  ComPtr<IConnectionPointContainer> container;
  if (!ReadEventNames(control, events) ||
      FAILED(control->QueryInterface(IID_IConnectionPointContainer, container.put_void())) ||
      FAILED(container->FindConnectionPoint(events, point_.put())) ||
      FAILED(point_->Advise(static_cast<IDispatch*>(this), &cookie_))) {
    point_.reset();
    return false;
  }
  return true;
}

void CScriptEvents::Disconnect() {
  if (point_) point_->Unadvise(cookie_);
  point_.reset();
  bound_.clear();
  engine_.reset();
}

void CScriptEvents::Bind(const wchar_t* name, IDispatch* handler) {
  if (name && handler) bound_[name] = ComPtr<IDispatch>(handler);
}

STDMETHODIMP CScriptEvents::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IID_IUnknown && iid != IID_IDispatch) return E_NOINTERFACE;
  *object = static_cast<IDispatch*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) CScriptEvents::Release() {
  const ULONG refs = --refs_;
  if (refs == 0) delete this;
  return refs;
}

STDMETHODIMP CScriptEvents::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

STDMETHODIMP CScriptEvents::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT*) {
  const auto named = names_.find(id);
  if (named == names_.end() || !engine_) return S_OK;
  // The engine stays while its handler runs, even if the script ends inside it.
  const ComPtr<IActiveScript> engine = engine_;
  const auto bound = bound_.find(named->second);
  if (bound != bound_.end()) {
    const ComPtr<IDispatch> handler = bound->second;
    handler->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, params, result,
                    nullptr, nullptr);
    return S_OK;
  }
  ComPtr<IDispatch> globals;
  if (FAILED(engine->GetScriptDispatch(nullptr, globals.put()))) return S_OK;
  std::wstring procedure = itemName_ + L"_" + named->second;
  LPOLESTR name = procedure.data();
  DISPID member = DISPID_UNKNOWN;
  if (SUCCEEDED(globals->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &member))) {
    // A failing handler is reported by the engine to the site, as any script error.
    globals->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, params, result, nullptr,
                    nullptr);
  }
  return S_OK;
}

STDMETHODIMP CScriptItem::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch) {
    *object = static_cast<IDispatch*>(this);
  } else if (iid == __uuidof(IBindEventHandler)) {
    *object = static_cast<IBindEventHandler*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) CScriptItem::Release() {
  const ULONG refs = --refs_;
  if (refs == 0) delete this;
  return refs;
}

STDMETHODIMP CScriptItem::BindHandler(LPCOLESTR event, IDispatch* handler) {
  events_->Bind(event, handler);
  return S_OK;
}
