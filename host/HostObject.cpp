// The Host object's members, dispatched by DISPID.
#include "host/HostObject.h"

#include <oleauto.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "host/Screenshot.h"
#include "host/UserInput.h"
#include "platform/com/ComPtr.h"

namespace {

enum : DISPID {
  kEcho = 1, kSleep, kScreenshot, kQuit, kAnsiPtr, kWidePtr, kAlloc, kPeek,
  kSetText, kChoose, kClick, kOnDialog, kUnanswered
};

struct Member {
  const wchar_t* name;
  DISPID id;
};

constexpr Member kMembers[] = {{L"Echo", kEcho},       {L"Sleep", kSleep},
                               {L"Screenshot", kScreenshot}, {L"Quit", kQuit},
                               {L"AnsiPtr", kAnsiPtr}, {L"WidePtr", kWidePtr},
                               {L"Alloc", kAlloc},     {L"Peek", kPeek},
                               {L"SetText", kSetText}, {L"Choose", kChoose},
                               {L"Click", kClick},     {L"OnDialog", kOnDialog},
                               {L"Unanswered", kUnanswered}};

// The script stops at Quit: the error it sees is not reported as a script error.
constexpr HRESULT kQuitting = E_ABORT;

void SetAddressResult(VARIANT* result, const void* address) {
  if (!result) return;
  const auto value = reinterpret_cast<std::uintptr_t>(address);
  VariantInit(result);
  if (value <= 0x7FFFFFFF) {
    V_VT(result) = VT_I4;
    V_I4(result) = static_cast<LONG>(value);
  } else {
    V_VT(result) = VT_R8;
    V_R8(result) = static_cast<double>(value);
  }
}

}  // namespace

STDMETHODIMP CHostObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CHostObject::Release() {
  const ULONG refs = --refs_;
  if (refs == 0) delete this;
  return refs;
}

STDMETHODIMP CHostObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

STDMETHODIMP CHostObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids || count == 0) return E_INVALIDARG;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  for (const Member& member : kMembers) {
    if (_wcsicmp(names[0], member.name) == 0) ids[0] = member.id;
  }
  return ids[0] == DISPID_UNKNOWN || count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT CHostObject::Text(DISPPARAMS* params, unsigned index, std::wstring& text) const {
  if (!params || params->cArgs <= index) return DISP_E_BADPARAMCOUNT;
  VARIANT v;
  VariantInit(&v);
  HRESULT hr = VariantCopyInd(&v, &params->rgvarg[params->cArgs - 1 - index]);
  if (SUCCEEDED(hr)) hr = VariantChangeType(&v, &v, 0, VT_BSTR);
  if (SUCCEEDED(hr)) text.assign(V_BSTR(&v), SysStringLen(V_BSTR(&v)));
  VariantClear(&v);
  return hr;
}

// The result is 0 when done, 1 when the bar or the control is missing or disabled, or the list
// has no such item.
HRESULT CHostObject::ActOnBar(DISPID id, const CDispatchArguments& args, DISPPARAMS* params,
                              VARIANT* result) {
  LONG control = 0;
  RETURN_IF_FAILED(args.Int32(0, control));
  HWND bar = FindCameraBar(window_);
  bool done = false;
  if (id == kSetText) {
    std::wstring text;
    RETURN_IF_FAILED(Text(params, 1, text));
    done = TypeInto(bar, control, text);
  } else if (id == kChoose) {
    LONG index = 0;
    RETURN_IF_FAILED(args.Int32(1, index));
    done = ChooseItem(bar, control, index);
  } else {
    done = ClickButton(bar, control);
  }
  SetResultLong(result, done ? 0 : 1);
  return S_OK;
}

// Steps that do not parse are a script error at the line that gave them.
HRESULT CHostObject::QueueAnswer(DISPPARAMS* params) {
  std::wstring title, text;
  RETURN_IF_FAILED(Text(params, 0, title));
  RETURN_IF_FAILED(Text(params, 1, text));
  std::vector<DialogStep> steps;
  if (title.empty() || !ParseDialogSteps(text, steps)) return E_INVALIDARG;
  answers_.Add(title, std::move(steps));
  return S_OK;
}

void CHostObject::SleepPumping(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        // The host window was closed: leave the request for the outer loop and stop waiting.
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds || quit_) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
  }
}

STDMETHODIMP CHostObject::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                 VARIANT* result, EXCEPINFO*, UINT*) {
  if (quit_) return kQuitting;
  const CDispatchArguments args(params);
  std::wstring text;
  LONG number = 0;
  switch (id) {
    case kEcho: {
      RETURN_IF_FAILED(Text(params, 0, text));
      const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
      std::string utf8(static_cast<std::size_t>(bytes > 0 ? bytes : 1), '\0');
      WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), bytes, nullptr, nullptr);
      std::printf("%s\n", utf8.c_str());
      std::fflush(stdout);
      return S_OK;
    }
    case kSleep:
      RETURN_IF_FAILED(args.Int32(0, number));
      SleepPumping(number > 0 ? static_cast<DWORD>(number) : 0);
      // An event handler that quit ends the wait and the script.
      return quit_ ? kQuitting : S_OK;
    case kScreenshot:
      RETURN_IF_FAILED(Text(params, 0, text));
      SetResultLong(result, SaveWindowPicture(window_, text) ? 0 : 1);
      return S_OK;
    case kQuit:
      if (args.Count() > 0) RETURN_IF_FAILED(args.Int32(0, number));
      exitCode_ = number;
      quit_ = true;
      return kQuitting;
    case kAnsiPtr: {
      RETURN_IF_FAILED(Text(params, 0, text));
      const int bytes = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
      auto copy = std::make_unique<char[]>(static_cast<std::size_t>(bytes > 0 ? bytes : 1));
      WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, copy.get(), bytes, nullptr, nullptr);
      SetAddressResult(result, copy.get());
      ansiCopies_.push_back(std::move(copy));
      return S_OK;
    }
    case kWidePtr: {
      RETURN_IF_FAILED(Text(params, 0, text));
      auto copy = std::make_unique<wchar_t[]>(text.size() + 1);
      std::memcpy(copy.get(), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
      SetAddressResult(result, copy.get());
      wideCopies_.push_back(std::move(copy));
      return S_OK;
    }
    case kAlloc: {
      RETURN_IF_FAILED(args.Int32(0, number));
      if (number <= 0) return E_INVALIDARG;
      auto block = std::make_unique<CHighAddressBlock>(static_cast<std::size_t>(number));
      if (!block->IsPlacedAsRequired()) return E_OUTOFMEMORY;
      SetAddressResult(result, block->Data());
      buffers_.push_back(std::move(block));
      return S_OK;
    }
    case kPeek: {
      std::uintptr_t address = 0;
      bool exact = false;
      RETURN_IF_FAILED(args.Address(0, address, exact));
      if (!exact) return DISP_E_OVERFLOW;
      // Only the buffers given out here can be read: any other address may not be mapped.
      for (const auto& block : buffers_) {
        const auto first = reinterpret_cast<std::uintptr_t>(block->Data());
        if (address >= first && address - first < block->Size()) {
          SetResultLong(result, *reinterpret_cast<const std::uint8_t*>(address));
          return S_OK;
        }
      }
      return E_INVALIDARG;
    }
    case kSetText:
    case kChoose:
    case kClick:
      return ActOnBar(id, args, params, result);
    case kOnDialog:
      return QueueAnswer(params);
    case kUnanswered:
      SetResultLong(result, answers_.Unanswered());
      return S_OK;
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}
