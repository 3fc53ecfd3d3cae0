// Runs a VBScript or JScript file through the Windows script engine with two named items: the
// control as "Selvar", whose events run the script's handlers, and the host's object as "Host".
// A script error is printed with its line.
#pragma once

#include <activscp.h>

#include <atomic>
#include <string>

#include "host/ScriptEvents.h"

class CScriptRunner : public IActiveScriptSite, public IActiveScriptSiteWindow {
 public:
  CScriptRunner(HWND window, IDispatch* selvar, IDispatch* host)
      : window_(window), selvar_(selvar), host_(host) {}
  virtual ~CScriptRunner() = default;

  // False when the file cannot be read, the engine cannot be started or the script failed.
  bool Run(const std::wstring& path);
  // Quit reported as an error ends the script without being one.
  void SetQuitCheck(bool (*quitting)(void*), void* context) {
    quitting_ = quitting;
    quitContext_ = context;
  }

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP GetLCID(LCID*) override { return E_NOTIMPL; }
  STDMETHODIMP GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** item, ITypeInfo** info) override;
  STDMETHODIMP GetDocVersionString(BSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override { return S_OK; }
  STDMETHODIMP OnStateChange(SCRIPTSTATE) override { return S_OK; }
  STDMETHODIMP OnScriptError(IActiveScriptError* error) override;
  STDMETHODIMP OnEnterScript() override { return S_OK; }
  STDMETHODIMP OnLeaveScript() override { return S_OK; }

  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

 private:
  std::atomic<ULONG> refs_{1};
  HWND window_;
  IDispatch* selvar_;
  IDispatch* host_;
  // While the script runs: the control as the script sees it.
  ComPtr<CScriptItem> selvarItem_;
  bool failed_ = false;
  bool (*quitting_)(void*) = nullptr;
  void* quitContext_ = nullptr;
};
