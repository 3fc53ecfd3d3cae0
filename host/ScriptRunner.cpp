// The script engine chosen by the file's extension (.js JScript, anything else VBScript).
#include "host/ScriptRunner.h"

#include <cstdio>
#include <cwctype>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/com/ComPtr.h"

namespace {

bool ReadScript(const std::wstring& path, std::wstring& text) {
  char name[MAX_PATH];
  if (!WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, name, MAX_PATH, nullptr, nullptr)) return false;
  std::ifstream file(name, std::ios::binary);
  if (!file) return false;
  std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::size_t skip = 0;
  if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xEF &&
      static_cast<unsigned char>(bytes[1]) == 0xBB && static_cast<unsigned char>(bytes[2]) == 0xBF) {
    skip = 3;
  }
  const int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data() + skip,
                                         static_cast<int>(bytes.size() - skip), nullptr, 0);
  text.assign(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data() + skip, static_cast<int>(bytes.size() - skip),
                      text.data(), length);
  return true;
}

const wchar_t* EngineFor(const std::wstring& path) {
  const std::size_t dot = path.find_last_of(L'.');
  std::wstring extension = dot == std::wstring::npos ? L"" : path.substr(dot + 1);
  for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towlower(c));
  return extension == L"js" ? L"JScript" : L"VBScript";
}

}  // namespace

STDMETHODIMP CScriptRunner::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IID_IUnknown || iid == __uuidof(IActiveScriptSite)) {
    *object = static_cast<IActiveScriptSite*>(this);
  } else if (iid == __uuidof(IActiveScriptSiteWindow)) {
    *object = static_cast<IActiveScriptSiteWindow*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) CScriptRunner::Release() {
  const ULONG refs = --refs_;
  if (refs == 0) delete this;
  return refs;
}

STDMETHODIMP CScriptRunner::GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** item,
                                        ITypeInfo** info) {
  if (info) *info = nullptr;
  // The items are plain dispatch objects without type information of their own.
  if (!(mask & SCRIPTINFO_IUNKNOWN) || !item) return TYPE_E_ELEMENTNOTFOUND;
  *item = nullptr;
  IDispatch* found = nullptr;
  if (_wcsicmp(name, L"Selvar") == 0) found = selvarItem_ ? selvarItem_.get() : selvar_;
  if (_wcsicmp(name, L"Host") == 0) found = host_;
  if (!found) return TYPE_E_ELEMENTNOTFOUND;
  *item = found;
  found->AddRef();
  return S_OK;
}

STDMETHODIMP CScriptRunner::OnScriptError(IActiveScriptError* error) {
  if (quitting_ && quitting_(quitContext_)) return S_OK;
  failed_ = true;
  DWORD context = 0;
  ULONG line = 0;
  LONG column = 0;
  error->GetSourcePosition(&context, &line, &column);
  EXCEPINFO exception{};
  error->GetExceptionInfo(&exception);
  std::printf("SelvarHost: script error at line %lu: %ls (0x%08lx)\n",
              static_cast<unsigned long>(line + 1),
              exception.bstrDescription ? exception.bstrDescription : L"no description",
              static_cast<unsigned long>(exception.scode));
  std::fflush(stdout);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return S_OK;
}

STDMETHODIMP CScriptRunner::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = window_;
  return S_OK;
}

bool CScriptRunner::Run(const std::wstring& path) {
  std::wstring text;
  if (!ReadScript(path, text)) {
    std::printf("SelvarHost: cannot read the script %ls\n", path.c_str());
    return false;
  }
  CLSID engineId;
  ComPtr<IActiveScript> engine;
  ComPtr<IActiveScriptParse> parser;
  if (FAILED(CLSIDFromProgID(EngineFor(path), &engineId)) ||
      FAILED(CoCreateInstance(engineId, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IActiveScript),
                              engine.put_void())) ||
      FAILED(engine->QueryInterface(__uuidof(IActiveScriptParse), parser.put_void())) ||
      FAILED(parser->InitNew()) || FAILED(engine->SetScriptSite(this)) ||
      FAILED(engine->AddNamedItem(L"Selvar", SCRIPTITEM_ISVISIBLE)) ||
      FAILED(engine->AddNamedItem(L"Host", SCRIPTITEM_ISVISIBLE))) {
    std::printf("SelvarHost: the %ls engine cannot be started\n", EngineFor(path));
    return false;
  }
  // The engines here bind no event sources of their own: the host carries the control's events
  // to the handlers, and a control without events is driven all the same.
  auto* events = new CScriptEvents(engine.get(), L"Selvar");
  events->Connect(selvar_);
  selvarItem_ = ComPtr<CScriptItem>(new CScriptItem(selvar_, events));
  selvarItem_->Release();
  EXCEPINFO exception{};
  parser->ParseScriptText(text.c_str(), nullptr, nullptr, nullptr, 0, 0, SCRIPTTEXT_ISVISIBLE,
                          nullptr, &exception);
  engine->SetScriptState(SCRIPTSTATE_CONNECTED);
  events->Disconnect();
  events->Release();
  engine->Close();
  selvarItem_.reset();
  return !failed_;
}
