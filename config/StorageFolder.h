// The folder that holds the per-camera configuration files.
#pragma once

#include "config/SharedFolder.h"

// The shared documents folder, else the current directory, without a trailing backslash; out
// has kFolderChars bytes and is always terminated.
void GetStorageFolder(char* out);
