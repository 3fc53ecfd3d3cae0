// The control's events carried to the script: the host advises its own sink on the control and
// calls the script's handler of each event, `Sub Selvar_<Event>` in VBScript or
// `function Selvar::<Event>` in JScript. The script sees the control through a thin item that
// forwards every call and takes the JScript engine's handler bindings.
#pragma once

#include <activscp.h>

#include <atomic>
#include <map>
#include <string>

#include "platform/com/ComPtr.h"

class CScriptEvents : public IDispatch {
 public:
  // itemName is the name the script knows the control by.
  CScriptEvents(IActiveScript* engine, const wchar_t* itemName)
      : engine_(engine), itemName_(itemName) {}
  virtual ~CScriptEvents() = default;

  // Advises this sink on the control's default event interface; false when the control has none.
  bool Connect(IDispatch* control);
  void Disconnect();
  // A JScript handler: `function Item::name`.
  void Bind(const wchar_t* name, IDispatch* handler);

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  // One event: its handler runs; an event without one is let pass.
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO*, UINT*) override;

 private:
  bool ReadEventNames(IDispatch* control, IID& events);

  std::atomic<ULONG> refs_{1};
  ComPtr<IActiveScript> engine_;
  std::wstring itemName_;
  std::map<DISPID, std::wstring> names_;
  std::map<std::wstring, ComPtr<IDispatch>> bound_;
  ComPtr<IConnectionPoint> point_;
  DWORD cookie_ = 0;
};

// The control as the script sees it: its own dispatch, plus the binding JScript asks for.
class CScriptItem : public IDispatch, public IBindEventHandler {
 public:
  CScriptItem(IDispatch* control, CScriptEvents* events) : control_(control), events_(events) {}
  virtual ~CScriptItem() = default;

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP GetTypeInfoCount(UINT* count) override { return control_->GetTypeInfoCount(count); }
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
    return control_->GetTypeInfo(index, lcid, info);
  }
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                             DISPID* ids) override {
    return control_->GetIDsOfNames(iid, names, count, lcid, ids);
  }
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* exception, UINT* argError) override {
    return control_->Invoke(id, iid, lcid, flags, params, result, exception, argError);
  }
  STDMETHODIMP BindHandler(LPCOLESTR event, IDispatch* handler) override;

 private:
  std::atomic<ULONG> refs_{1};
  ComPtr<IDispatch> control_;
  ComPtr<CScriptEvents> events_;
};
