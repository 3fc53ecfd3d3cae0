// Siting the control: client site first (the control asks for it), then its properties, then
// in-place activation over the whole client area.
#include "host/HostWindow.h"

#include <cstdio>
#include <new>

#include "host/ControlSite.h"

bool CHostWindow::CreateHostWindow(const wchar_t* title, bool visible) {
  const RECT rect{40, 40, 40 + 1100, 40 + 900};
  return Create(0, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0), rect,
                nullptr, nullptr) != nullptr;
}

ComPtr<IDispatch> CHostWindow::SiteControl(const ComPtr<IOleObject>& control,
                                           IPropertyBag* properties) {
  ComPtr<IDispatch> dispatch;
  RemoveControl();
  control_ = control;
  if (!control_) return dispatch;
  auto* site = new (std::nothrow) CControlSite(Handle());
  if (!site) return dispatch;
  control_->SetClientSite(site);
  HRESULT hr = E_FAIL;
  if (properties) {
    ComPtr<IPersistPropertyBag> persist;
    if (SUCCEEDED(control_->QueryInterface(IID_IPersistPropertyBag, persist.put_void()))) {
      hr = persist->Load(properties, nullptr);
    }
  } else {
    ComPtr<IPersistStreamInit> persist;
    if (SUCCEEDED(control_->QueryInterface(IID_IPersistStreamInit, persist.put_void()))) {
      hr = persist->InitNew();
    }
  }
  RECT client;
  GetClientRect(Handle(), &client);
  if (SUCCEEDED(hr)) {
    hr = control_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, Handle(), &client);
  }
  site->Release();
  if (FAILED(hr) || FAILED(control_->QueryInterface(IID_IOleInPlaceObject, inPlace_.put_void())) ||
      FAILED(control_->QueryInterface(IID_IOleInPlaceActiveObject, active_.put_void())) ||
      FAILED(control_->QueryInterface(IID_IDispatch, dispatch.put_void()))) {
    std::printf("SelvarHost: the control could not be activated (0x%08lx)\n",
                static_cast<unsigned long>(hr));
    RemoveControl();
    dispatch.reset();
  }
  return dispatch;
}

bool CHostWindow::TranslateControlKey(MSG& msg) const {
  if (!active_ || msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  return active_->TranslateAccelerator(&msg) == S_OK;
}

void CHostWindow::RemoveControl() {
  active_.reset();
  inPlace_.reset();
  if (!control_) return;
  control_->Close(OLECLOSE_NOSAVE);
  control_->SetClientSite(nullptr);
  control_.reset();
}

LRESULT CHostWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (inPlace_) {
        const RECT client{0, 0, LOWORD(lParam), HIWORD(lParam)};
        inPlace_->SetObjectRects(&client, &client);
      }
      return 0;
    case WM_DESTROY:
      RemoveControl();
      PostQuitMessage(0);
      return 0;
  }
  return CWindowBase::HandleMessage(message, wParam, lParam);
}
