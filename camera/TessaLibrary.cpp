// Binding of the driver table to TessaDrv.dll's ordinal-only exports.
#include "camera/TessaLibrary.h"

#include <cstring>

#include "camera/CameraStatus.h"

int TessaLibrary::Load(const wchar_t* path) {
  api_ = TessaDriverApi{};
  module_.reset(LoadLibraryW(path));
  if (!module_) return kCamNoDriver;
  FARPROC entries[kTessaEntryCount] = {};
  for (int i = 0; i < kTessaEntryCount; ++i) {
    entries[i] = GetProcAddress(module_.get(), MAKEINTRESOURCEA(kTessaOrdinals[i]));
    if (!entries[i]) {
      module_.reset();
      return kCamNoDriver;
    }
  }
  // The table's members are the entry points in ordinal-list order, all of pointer size.
  static_assert(sizeof(entries) == sizeof(api_));
  std::memcpy(&api_, entries, sizeof api_);
  return 0;
}
