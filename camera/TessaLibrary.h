// Loads TessaDrv.dll and fills the driver table by ordinal; a missing DLL or entry leaves "no driver".
#pragma once

#include "camera/TessaDriver.h"
#include "platform/win32/UniqueHandle.h"

class TessaLibrary {
 public:
  TessaLibrary() = default;

  // Returns 0 when the DLL and all 22 ordinals were found. On failure the table stays empty, so
  // every camera call reports kCamNoDriver.
  int Load(const wchar_t* path = L"TessaDrv.dll");
  bool IsLoaded() const { return module_ && api_.Shutdown != nullptr; }
  const TessaDriverApi& Api() const { return api_; }

 private:
  UniqueModule module_;
  TessaDriverApi api_{};
};
