// Where a camera's configuration file lives: the storage folder's form and the file's path.
#pragma once

#include "platform/files/FolderText.h"

#include <cstddef>
#include <cstdint>

#include "config/SharedFolder.h"

// Room for a full folder, the separator, a signed 32-bit number and ".xml".
constexpr std::size_t kConfigPathChars = kFolderChars + 1 + 11 + 4 + 1;


// "<folder>\<serial>.xml" with the serial as signed decimal; returns non-zero when it does not fit.
int BuildConfigPath(const char* folder, std::int32_t serial, char* out, std::size_t outSize);
