// The script's "Host" object: output, waiting with messages flowing, screenshots, the exit code,
// and addresses of text copies and buffers that live until the host exits; Peek reads a byte of
// such a buffer. SetText, Choose and Click act on the camera bar's controls as a person would;
// OnDialog queues the answer for the next modal dialog with a caption. Addresses are handed
// to the script as numbers it passes on unchanged: a 32-bit integer where one holds them, else a
// double, exact for every address a process has.
#pragma once

#include <oaidl.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "host/DialogAnswers.h"
#include "platform/com/DispatchArguments.h"
#include "platform/win32/HighAddressBlock.h"

class CHostObject : public IDispatch {
 public:
  explicit CHostObject(HWND window) : window_(window), answers_(window) {}
  virtual ~CHostObject() = default;

  bool QuitRequested() const { return quit_; }
  int ExitCode() const { return exitCode_; }

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT*) override;

 private:
  HRESULT Text(DISPPARAMS* params, unsigned index, std::wstring& text) const;
  HRESULT ActOnBar(DISPID id, const CDispatchArguments& args, DISPPARAMS* params, VARIANT* result);
  HRESULT QueueAnswer(DISPPARAMS* params);
  void SleepPumping(DWORD milliseconds);

  std::atomic<ULONG> refs_{1};
  HWND window_;
  bool quit_ = false;
  int exitCode_ = 0;
  CDialogAnswers answers_;
  std::vector<std::unique_ptr<char[]>> ansiCopies_;
  std::vector<std::unique_ptr<wchar_t[]>> wideCopies_;
  std::vector<std::unique_ptr<CHighAddressBlock>> buffers_;
};
