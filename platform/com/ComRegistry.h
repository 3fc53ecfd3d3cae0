// Self-registration of the module's classes and type library under HKEY_CLASSES_ROOT.
#pragma once

#include <windows.h>

struct ComClassRegistration {
  const CLSID* clsid;
  const wchar_t* progId;
  const wchar_t* typeName;
  // Controls only: OLEMISC flags, toolbox bitmap id and type library; 0 / null for other classes.
  DWORD miscStatus;
  int toolboxBitmap;
  const GUID* libId;
  const wchar_t* libVersion;
};

// Full path of the module holding this code.
bool ModulePath(HINSTANCE instance, wchar_t (&path)[MAX_PATH]);

HRESULT RegisterComClass(const ComClassRegistration& entry, const wchar_t* modulePath);
HRESULT UnregisterComClass(const ComClassRegistration& entry);
// Registers the type library embedded as resource 1 of the module.
HRESULT RegisterModuleTypeLib(const wchar_t* modulePath);
HRESULT UnregisterModuleTypeLib(const GUID& libId, WORD major, WORD minor);
