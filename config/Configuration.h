// Loading and saving the settings record of one camera in its configuration file.
#pragma once

#include <cstdint>

#include "acquisition/CameraSettings.h"

// Defaults, the storage folder as image folder, then whatever the camera's file holds, each
// number brought into its field's range. Returns the reader's status; a missing or foreign file
// leaves the defaults.
int LoadConfiguration(CameraSettings& settings, std::int32_t serial);

// Writes the camera's file from the record, numbers out of range as their defaults; on any
// failure the previous file stays as it was.
int SaveConfiguration(const CameraSettings& settings, std::int32_t serial);
