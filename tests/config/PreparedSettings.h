// A settings record as Load configuration prepares it before reading: defaults and a storage folder.
#pragma once

#include <cstring>

#include "acquisition/CameraSettings.h"

inline CameraSettings PreparedSettings(const char* storageFolder) {
  CameraSettings s;
  SetDefaultSettings(s);
  SetSettingText(s.ImageFolder, storageFolder, std::strlen(storageFolder));
  return s;
}
