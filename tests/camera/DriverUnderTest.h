// The real driver for camera-device tests: natively the simulator's table, under Wine TessaDrv.dll
// loaded by ordinal, each configured from INI text before its start-up.
#pragma once

#include <string>

#include "camera/TessaDriver.h"

// Configures the driver for the next DrvStartup and returns its table (empty if unavailable).
const TessaDriverApi& DriverUnderTest(const std::string& iniText);
