// A driver table that only starts and enumerates, with scripted cameras, for the selection tests.
#pragma once

#include <climits>
#include <string>
#include <vector>

#include "camera/TessaDriver.h"

// Reports as many cameras as were filled in.
constexpr int kReportFilled = INT_MIN;

struct EnumFakeState {
  std::vector<CameraEnumEntry> cameras;  // what the driver fills in, at most ten
  int reportedCount = kReportFilled;     // the count it reports
  int status = 0;                        // the enumeration's status
  std::vector<std::string> calls;
};

// Resets the state and returns the table bound to it; entries other than the first three are null.
const TessaDriverApi& ResetEnumFakeDriver();
EnumFakeState& EnumFake();

CameraEnumEntry MakeEntry(int cameraId, int modelCode, unsigned serial, unsigned linkType = 0,
                          unsigned variant = 0, unsigned colour = 0);
