// The camera's configuration file in the storage folder.
#include "config/Configuration.h"

#include <cstring>

#include "config/ConfigFields.h"
#include "config/ConfigPath.h"
#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "config/StorageFolder.h"

namespace {
int CameraConfigPath(std::int32_t serial, char (&folder)[kFolderChars], char (&path)[kConfigPathChars]) {
  GetStorageFolder(folder);
  return BuildConfigPath(folder, serial, path, sizeof path);
}
}  // namespace

int LoadConfiguration(CameraSettings& settings, std::int32_t serial) {
  SetDefaultSettings(settings);
  char folder[kFolderChars];
  char path[kConfigPathChars];
  const int pathStatus = CameraConfigPath(serial, folder, path);
  SetSettingText(settings.ImageFolder, folder, std::strlen(folder));
  if (pathStatus != 0) return kConfigCannotOpen;
  const ConfigReadStatus status = ReadConfigFile(path, settings);
  SanitizeConfigNumbers(settings);
  return status;
}

int SaveConfiguration(const CameraSettings& settings, std::int32_t serial) {
  char folder[kFolderChars];
  char path[kConfigPathChars];
  if (CameraConfigPath(serial, folder, path) != 0) return kConfigCannotCreate;
  // Values set while the control ran (by automation, unchecked) are not stored as they are.
  CameraSettings sane = settings;
  SanitizeConfigNumbers(sane);
  return WriteConfigFile(path, sane);
}
