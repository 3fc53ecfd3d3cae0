// Pointing the real TessaDrv.dll at a configuration for its next start-up, for programs that run
// under Wine: the INI text goes into a file of this process's own (test processes run side by
// side), which TESSADRV_CONFIG then names.
#pragma once

#include <string>

#include "camera/TessaLibrary.h"

void UseDriverConfiguration(const std::string& iniText);

// TessaDrv.dll loaded once for the process.
TessaLibrary& LoadedTessaDrv();
