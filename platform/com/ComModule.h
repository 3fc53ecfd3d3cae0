// The in-process server's module state: its instance handle and the count of live objects and
// locks that DllCanUnloadNow reads.
#pragma once

#include <windows.h>

class ComModule {
 public:
  static void SetInstance(HINSTANCE instance);
  static HINSTANCE Instance();

  // Every COM object of the module counts itself from construction to destruction.
  static void ObjectCreated();
  static void ObjectDestroyed();
  // IClassFactory::LockServer.
  static void Lock(bool lock);
  static bool CanUnload();
  static long LiveObjects();
};

// Counts an object for the module's lifetime: a member or base of every COM object here.
class ModuleObjectCount {
 public:
  ModuleObjectCount() { ComModule::ObjectCreated(); }
  ~ModuleObjectCount() { ComModule::ObjectDestroyed(); }
  ModuleObjectCount(const ModuleObjectCount&) = delete;
  ModuleObjectCount& operator=(const ModuleObjectCount&) = delete;
};
