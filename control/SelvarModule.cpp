// The entry points of Selvar.ocx: class objects for the control and its property page,
// self-registration with the type library, and the unload check.
#include <windows.h>
#include <olectl.h>

#include "control/CSelvarCtrl.h"
#include "control/CSelvarPropPage.h"
#include "control/SelvarGuids.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComRegistry.h"
#include "platform/framework/WindowBase.h"
#include "resources/ControlResources.h"

namespace {

const ComClassRegistration kControlClass = {
    &CLSID_Selvar,     L"Selvar.SelvarCtrl.1", L"Selvar Control", CSelvarCtrl::kMiscStatus,
    IDB_SELVAR_TOOLBOX, &LIBID_SelvarLib,      L"1.0"};
const ComClassRegistration kPageClass = {&CLSID_SelvarPropPage, L"Selvar.SelvarPropPage.1",
                                         L"Selvar Property Page", 0, 0, nullptr, nullptr};

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    ComModule::SetInstance(instance);
    SetFrameworkInstance(instance);
  }
  // Unloaded by FreeLibrary rather than at the process's end: a copy loaded later, perhaps at
  // another address, must not find this one's window classes.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) UnregisterFrameworkClasses();
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  CreateInstanceFn create = nullptr;
  if (clsid == CLSID_Selvar) create = CSelvarCtrl::CreateInstance;
  if (clsid == CLSID_SelvarPropPage) create = CSelvarPropPage::CreateInstance;
  if (!create) return CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new (std::nothrow) CClassFactory(create);
  if (!factory) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(iid, object);
  factory->Release();
  return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return ComModule::CanUnload() ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  wchar_t path[MAX_PATH];
  if (!ModulePath(ComModule::Instance(), path) || FAILED(RegisterModuleTypeLib(path))) {
    return SELFREG_E_TYPELIB;
  }
  if (FAILED(RegisterComClass(kControlClass, path)) || FAILED(RegisterComClass(kPageClass, path))) {
    return SELFREG_E_CLASS;
  }
  return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  if (FAILED(UnregisterModuleTypeLib(LIBID_SelvarLib, 1, 0))) return SELFREG_E_TYPELIB;
  const HRESULT control = UnregisterComClass(kControlClass);
  const HRESULT page = UnregisterComClass(kPageClass);
  return FAILED(control) || FAILED(page) ? SELFREG_E_CLASS : S_OK;
}
