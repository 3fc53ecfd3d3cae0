// Identity, reference counting, class and type information, connection point, property pages
// and IDispatch of the control base.
#include <olectl.h>

#include <atomic>
#include <cwchar>

#include "platform/com/ComRegistry.h"
#include "platform/com/OleControl.h"
#include "platform/framework/DispatchScope.h"

namespace {

std::atomic<long> g_liveControls{0};

template <typename Interface>
bool Offer(REFIID wanted, Interface* self, void** object) {
  if (wanted != __uuidof(Interface)) return false;
  *object = self;
  return true;
}

}  // namespace

COleControl::COleControl(const OleControlClass& info)
    : info_(info), events_(this, *info.eventsIid) {
  ++g_liveControls;
}

COleControl::~COleControl() { --g_liveControls; }

long COleControl::LiveControls() { return g_liveControls.load(); }

STDMETHODIMP COleControl::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == *info_.dispatchIid) {
    *object = static_cast<IDispatch*>(this);
  } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) {
    *object = static_cast<IOleInPlaceObject*>(this);
  } else if (iid == IID_IPersist || iid == IID_IPersistStreamInit) {
    *object = static_cast<IPersistStreamInit*>(this);
  } else if (iid == IID_IViewObject || iid == IID_IViewObject2) {
    *object = static_cast<IViewObject2*>(this);
  } else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2) {
    *object = static_cast<IProvideClassInfo2*>(this);
  } else if (!(Offer<IOleObject>(iid, this, object) ||
               Offer<IOleInPlaceActiveObject>(iid, this, object) ||
               Offer<IOleControl>(iid, this, object) ||
               Offer<IPersistPropertyBag>(iid, this, object) ||
               Offer<IPersistStorage>(iid, this, object) ||
               Offer<IConnectionPointContainer>(iid, this, object) ||
               Offer<ISpecifyPropertyPages>(iid, this, object))) {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) COleControl::Release() {
  const ULONG refs = --refs_;
  if (refs != 0) return refs;
  // The window goes now, while the derived class still exists to tear its contents down. A
  // handler of that content may be inside a nested loop (a scan, a save, a message box): the
  // object itself is freed once no handler runs.
  ++refs_;
  Close(OLECLOSE_NOSAVE);
  refs_ = 0;
  DeleteWhenNoHandlerRuns(std::unique_ptr<COleControl>(this));
  return 0;
}

HRESULT COleControl::LoadTypeInfo(const GUID& guid, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (!typeLib_) {
    // The registered library first, as a container would find it; else the module's own copy.
    if (FAILED(LoadRegTypeLib(*info_.libId, info_.libMajor, info_.libMinor, 0, typeLib_.put()))) {
      wchar_t path[MAX_PATH];
      if (!ModulePath(ComModule::Instance(), path)) return TYPE_E_CANTLOADLIBRARY;
      RETURN_IF_FAILED(LoadTypeLibEx(path, REGKIND_NONE, typeLib_.put()));
    }
  }
  return typeLib_->GetTypeInfoOfGuid(guid, info);
}

STDMETHODIMP COleControl::GetClassInfo(ITypeInfo** info) { return LoadTypeInfo(*info_.clsid, info); }

STDMETHODIMP COleControl::GetGUID(DWORD kind, GUID* guid) {
  if (!guid) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
  *guid = *info_.eventsIid;
  return S_OK;
}

STDMETHODIMP COleControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  if (iid != events_.Iid()) return CONNECT_E_NOCONNECTION;
  *point = &events_;
  events_.AddRef();
  return S_OK;
}

STDMETHODIMP COleControl::GetPages(CAUUID* pages) {
  if (!pages) return E_POINTER;
  pages->cElems = 0;
  pages->pElems = nullptr;
  if (!info_.propertyPage) return S_OK;
  pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
  if (!pages->pElems) return E_OUTOFMEMORY;
  pages->pElems[0] = *info_.propertyPage;
  pages->cElems = 1;
  return S_OK;
}

STDMETHODIMP COleControl::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

STDMETHODIMP COleControl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (index != 0) return DISP_E_BADINDEX;
  return LoadTypeInfo(*info_.dispatchIid, info);
}

STDMETHODIMP COleControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids) return E_POINTER;
  UINT memberCount = 0;
  const DispatchMember* members = Members(memberCount);
  HRESULT hr = S_OK;
  for (UINT i = 0; i < count; ++i) {
    ids[i] = DISPID_UNKNOWN;
    // Only the member itself is named here: these members' parameters are positional.
    if (i > 0) {
      hr = DISP_E_UNKNOWNNAME;
      continue;
    }
    for (UINT m = 0; m < memberCount; ++m) {
      if (_wcsicmp(names[i], members[m].name) == 0) ids[i] = members[m].id;
    }
    if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
  }
  return hr;
}

STDMETHODIMP COleControl::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                 VARIANT* result, EXCEPINFO*, UINT* argError) {
  if (argError) *argError = 0;
  if (params && params->cNamedArgs > 0 &&
      !(params->cNamedArgs == 1 && params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT)) {
    return DISP_E_NONAMEDARGS;
  }
  // The host may let go of the control inside a method that runs a nested loop.
  ComPtr<IDispatch> keepAlive(this);
  return InvokeMember(id, flags, CDispatchArguments(params), result);
}

void COleControl::SetModifiedFlag() { modified_ = true; }
