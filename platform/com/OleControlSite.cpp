// The control in its container: client site, verbs, extent, in-place activation, and the
// window that activation creates as a child of the container's window.
#include <olectl.h>

#include "platform/com/OleControl.h"

namespace {

constexpr LONG kHimetricPerInch = 2540;

LONG PixelsToHimetric(LONG pixels, int perInch) {
  return MulDiv(pixels, kHimetricPerInch, perInch);
}

}  // namespace

STDMETHODIMP COleControl::SetClientSite(IOleClientSite* site) {
  clientSite_ = ComPtr<IOleClientSite>(site);
  if (!site) {
    inPlaceSite_.reset();
  }
  return S_OK;
}

STDMETHODIMP COleControl::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  *site = clientSite_.get();
  if (*site) (*site)->AddRef();
  return S_OK;
}

STDMETHODIMP COleControl::Close(DWORD) {
  if (closing_) return S_OK;
  closing_ = true;
  InPlaceDeactivate();
  Destroy();
  events_.Clear();
  viewSink_.reset();
  closing_ = false;
  return S_OK;
}

STDMETHODIMP COleControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent,
                                 LPCRECT) {
  if (site && !clientSite_) clientSite_ = ComPtr<IOleClientSite>(site);
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_UIACTIVATE:
      return ActivateInPlace(true);
    case OLEIVERB_INPLACEACTIVATE:
      return ActivateInPlace(false);
    case OLEIVERB_HIDE:
      UIDeactivate();
      if (Handle()) ShowWindow(Handle(), SW_HIDE);
      return S_OK;
    case OLEIVERB_PROPERTIES:
      return ShowPropertyPages(parent);
    default:
      return verb < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB;
  }
}

STDMETHODIMP COleControl::EnumVerbs(IEnumOLEVERB** verbs) {
  return OleRegEnumVerbs(*info_.clsid, verbs);
}

STDMETHODIMP COleControl::GetUserType(DWORD form, LPOLESTR* type) {
  return OleRegGetUserType(*info_.clsid, form, type);
}

STDMETHODIMP COleControl::SetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!size) return E_POINTER;
  extent_ = *size;
  return S_OK;
}

STDMETHODIMP COleControl::GetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!size) return E_POINTER;
  *size = extent_;
  return S_OK;
}

STDMETHODIMP COleControl::GetMiscStatus(DWORD aspect, DWORD* status) {
  if (!status) return E_POINTER;
  *status = aspect == DVASPECT_CONTENT ? info_.miscStatus : 0;
  return S_OK;
}

STDMETHODIMP COleControl::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = Handle();
  return Handle() ? S_OK : E_FAIL;
}

HRESULT COleControl::ActivateInPlace(bool uiActivate) {
  if (!clientSite_) return E_UNEXPECTED;
  if (!inPlaceActive_) {
    RETURN_IF_FAILED(clientSite_->QueryInterface(IID_IOleInPlaceSite, inPlaceSite_.put_void()));
    if (inPlaceSite_->CanInPlaceActivate() != S_OK) {
      inPlaceSite_.reset();
      return E_FAIL;
    }
    RETURN_IF_FAILED(inPlaceSite_->OnInPlaceActivate());
    inPlaceActive_ = true;
    HWND parent = nullptr;
    RECT position{}, clip{};
    OLEINPLACEFRAMEINFO frameInfo{sizeof frameInfo};
    inPlaceFrame_.reset();
    inPlaceDocument_.reset();
    if (FAILED(inPlaceSite_->GetWindow(&parent)) ||
        FAILED(inPlaceSite_->GetWindowContext(inPlaceFrame_.put(), inPlaceDocument_.put(),
                                              &position, &clip, &frameInfo))) {
      InPlaceDeactivate();
      return E_FAIL;
    }
    if (!Handle()) {
      Create(0, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, position, parent, nullptr);
      if (!Handle()) {
        InPlaceDeactivate();
        return E_FAIL;
      }
    } else {
      SetParent(Handle(), parent);
    }
    SetObjectRects(&position, &clip);
    ShowWindow(Handle(), SW_SHOWNA);
    const HDC screen = GetDC(nullptr);
    extent_ = {PixelsToHimetric(position.right - position.left, GetDeviceCaps(screen, LOGPIXELSX)),
               PixelsToHimetric(position.bottom - position.top, GetDeviceCaps(screen, LOGPIXELSY))};
    ReleaseDC(nullptr, screen);
  }
  if (uiActivate && !uiActive_) {
    uiActive_ = true;
    inPlaceSite_->OnUIActivate();
    if (inPlaceFrame_) inPlaceFrame_->SetActiveObject(this, nullptr);
    if (inPlaceDocument_) inPlaceDocument_->SetActiveObject(this, nullptr);
    SetFocus(Handle());
  }
  return S_OK;
}

STDMETHODIMP COleControl::UIDeactivate() {
  if (!uiActive_) return S_OK;
  uiActive_ = false;
  if (inPlaceFrame_) inPlaceFrame_->SetActiveObject(nullptr, nullptr);
  if (inPlaceDocument_) inPlaceDocument_->SetActiveObject(nullptr, nullptr);
  if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
  return S_OK;
}

STDMETHODIMP COleControl::InPlaceDeactivate() {
  if (!inPlaceActive_) return S_OK;
  UIDeactivate();
  inPlaceActive_ = false;
  Destroy();
  if (inPlaceSite_) inPlaceSite_->OnInPlaceDeactivate();
  inPlaceFrame_.reset();
  inPlaceDocument_.reset();
  inPlaceSite_.reset();
  return S_OK;
}

STDMETHODIMP COleControl::SetObjectRects(LPCRECT position, LPCRECT) {
  if (!position) return E_POINTER;
  if (Handle()) {
    MoveWindow(Handle(), position->left, position->top, position->right - position->left,
               position->bottom - position->top, TRUE);
  }
  return S_OK;
}

STDMETHODIMP COleControl::GetControlInfo(CONTROLINFO* info) {
  if (!info) return E_POINTER;
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

HRESULT COleControl::ShowPropertyPages(HWND parent) {
  if (!info_.propertyPage) return E_NOTIMPL;
  IUnknown* self = static_cast<IDispatch*>(this);
  CLSID page = *info_.propertyPage;
  // The frame's caption is the class's registered short name, as a container would show it.
  LPOLESTR name = nullptr;
  if (FAILED(OleRegGetUserType(*info_.clsid, USERCLASSTYPE_SHORT, &name))) name = nullptr;
  const HRESULT hr = OleCreatePropertyFrame(parent ? parent : Handle(), 0, 0, name ? name : L"", 1, &self,
                                            1, &page, GetUserDefaultLCID(), 0, nullptr);
  CoTaskMemFree(name);
  return hr;
}

LRESULT COleControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      PAINTSTRUCT paint{};
      HDC dc = message == WM_PAINT ? BeginPaint(Handle(), &paint) : reinterpret_cast<HDC>(wParam);
      RECT client;
      GetClientRect(Handle(), &client);
      DrawControl(dc, client);
      if (message == WM_PAINT) EndPaint(Handle(), &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEACTIVATE:
      // Containers do not UI-activate on their own: a click does.
      if (inPlaceActive_ && !uiActive_) ActivateInPlace(true);
      break;
  }
  return CWindowBase::HandleMessage(message, wParam, lParam);
}
