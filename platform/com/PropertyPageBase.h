// A property page on plain COM: a child dialog from a template that exchanges its controls with
// the automation properties of the objects it edits.
#pragma once

#include <ocidl.h>
#include <olectl.h>

#include <atomic>
#include <vector>

#include "platform/com/ComModule.h"
#include "platform/com/ComPtr.h"
#include "platform/framework/Dialog.h"

class CPropertyPageBase : public IPropertyPage, public CDialog {
 public:
  CPropertyPageBase(int templateId, UINT captionId, SIZE dialogUnits)
      : CDialog(templateId, nullptr), captionId_(captionId), dialogUnits_(dialogUnits) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
  STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
  STDMETHODIMP Deactivate() override;
  STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
  STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
  STDMETHODIMP Show(UINT command) override;
  STDMETHODIMP Move(LPCRECT rect) override;
  STDMETHODIMP IsPageDirty() override { return dirty_ ? S_OK : S_FALSE; }
  STDMETHODIMP Apply() override;
  STDMETHODIMP Help(LPCOLESTR) override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAccelerator(MSG* message) override;

 protected:
  // Both directions of the exchange: toPage fills the controls from the first object's
  // properties; otherwise the controls are written to every object. False when the controls
  // hold values that cannot be written (the page says why): nothing is written then.
  virtual bool ExchangeWithObjects(bool toPage) = 0;
  // Control changes that the designer made mark the page dirty.
  void SetDirty();

  bool ReadProperty(const wchar_t* name, LONG& value) const;
  void WriteProperty(const wchar_t* name, LONG value) const;

 private:
  ModuleObjectCount count_;
  std::atomic<ULONG> refs_{1};
  UINT captionId_;
  SIZE dialogUnits_;
  ComPtr<IPropertyPageSite> site_;
  std::vector<ComPtr<IDispatch>> objects_;
  bool dirty_ = false;
  bool filling_ = false;
};
