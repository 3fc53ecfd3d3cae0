// Registry keys of an in-process class: CLSID with server, threading model, ProgID and, for a
// control, the Control, MiscStatus, ToolboxBitmap32, TypeLib and Version keys. No component
// category is claimed: the control writes files and takes raw addresses, so it is neither safe
// for scripting nor for initialisation by untrusted content.
#include "platform/com/ComRegistry.h"

#include <oleauto.h>
#include <olectl.h>

#include <cwchar>
#include <string>

namespace {

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40] = L"";
  StringFromGUID2(guid, text, 40);
  return text;
}

bool SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LONG status = RegSetValueExW(handle, name, 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(value.c_str()),
                                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return status == ERROR_SUCCESS;
}

bool DeleteTree(const std::wstring& key) {
  const LONG status = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace

bool ModulePath(HINSTANCE instance, wchar_t (&path)[MAX_PATH]) {
  const DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
  return length > 0 && length < MAX_PATH;
}

HRESULT RegisterComClass(const ComClassRegistration& entry, const wchar_t* modulePath) {
  const std::wstring clsid = GuidText(*entry.clsid);
  const std::wstring key = L"CLSID\\" + clsid;
  bool ok = SetValue(key, nullptr, entry.typeName) &&
            SetValue(key + L"\\InprocServer32", nullptr, modulePath) &&
            SetValue(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
  if (ok && entry.progId) {
    ok = SetValue(key + L"\\ProgID", nullptr, entry.progId) &&
         SetValue(entry.progId, nullptr, entry.typeName) &&
         SetValue(std::wstring(entry.progId) + L"\\CLSID", nullptr, clsid);
  }
  if (ok && entry.libId) {
    wchar_t misc[16];
    std::swprintf(misc, 16, L"%lu", static_cast<unsigned long>(entry.miscStatus));
    wchar_t bitmap[MAX_PATH + 16];
    std::swprintf(bitmap, MAX_PATH + 16, L"%ls, %d", modulePath, entry.toolboxBitmap);
    ok = SetValue(key + L"\\Control", nullptr, L"") &&
         SetValue(key + L"\\MiscStatus", nullptr, L"0") &&
         SetValue(key + L"\\MiscStatus\\1", nullptr, misc) &&
         SetValue(key + L"\\ToolboxBitmap32", nullptr, bitmap) &&
         SetValue(key + L"\\TypeLib", nullptr, GuidText(*entry.libId)) &&
         SetValue(key + L"\\Version", nullptr, entry.libVersion);
  }
  return ok ? S_OK : SELFREG_E_CLASS;
}

HRESULT UnregisterComClass(const ComClassRegistration& entry) {
  bool ok = DeleteTree(L"CLSID\\" + GuidText(*entry.clsid));
  if (entry.progId) ok = DeleteTree(entry.progId) && ok;
  return ok ? S_OK : SELFREG_E_CLASS;
}

HRESULT RegisterModuleTypeLib(const wchar_t* modulePath) {
  ITypeLib* library = nullptr;
  if (FAILED(LoadTypeLibEx(modulePath, REGKIND_REGISTER, &library))) return SELFREG_E_TYPELIB;
  library->Release();
  return S_OK;
}

HRESULT UnregisterModuleTypeLib(const GUID& libId, WORD major, WORD minor) {
  const SYSKIND kind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
  const HRESULT hr = UnRegisterTypeLib(libId, major, minor, 0, kind);
  return SUCCEEDED(hr) || hr == TYPE_E_REGISTRYACCESS ? S_OK : SELFREG_E_TYPELIB;
}
