// The process-wide simulated driver and its table of driver entry points.
#pragma once

#include "camera/TessaDriver.h"
#include "platform/tessadrv/TessaSimulator.h"

// The driver's state; it lives as long as the process.
TessaSimulator& Simulator();

// The 22 entry points, forwarding to Simulator(): the same functions the DLL exports.
const TessaDriverApi& SimulatorDriverApi();
