// Drawing the control into a container's device context, and the view's advise sink.
#include "platform/com/OleControl.h"

STDMETHODIMP COleControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC draw,
                               LPCRECTL bounds, LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR),
                               ULONG_PTR) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!draw) return E_INVALIDARG;
  RECT rect{};
  if (bounds) {
    rect = {bounds->left, bounds->top, bounds->right, bounds->bottom};
  } else if (Handle()) {
    GetClientRect(Handle(), &rect);
  } else {
    return E_INVALIDARG;
  }
  DrawControl(draw, rect);
  return S_OK;
}

STDMETHODIMP COleControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
  if (!(aspects & DVASPECT_CONTENT)) return DV_E_DVASPECT;
  viewAdviseFlags_ = flags;
  viewSink_ = ComPtr<IAdviseSink>(sink);
  return S_OK;
}

STDMETHODIMP COleControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
  if (aspects) *aspects = DVASPECT_CONTENT;
  if (flags) *flags = viewAdviseFlags_;
  if (sink) {
    *sink = viewSink_.get();
    if (*sink) (*sink)->AddRef();
  }
  return S_OK;
}

STDMETHODIMP COleControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
  return GetExtent(aspect, size);
}
