// A scriptable driver table for unit tests of the camera device's rules: settings and information
// items come from maps, and every call is logged so tests can check what reached the driver.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "camera/TessaDriver.h"

struct FakeDriverState {
  std::map<int, std::uint32_t> settings;
  std::map<int, std::pair<std::uint32_t, std::uint32_t>> info;
  std::vector<std::string> calls;
  int openStatus = 0;
  int initStatus = 0;
  int readSettingsStatus = 0;
  FrameTableEntry tableBase{0x1000, 0};  // entry i reads as {low + i * 0x100, high}
};

// Resets the shared state and returns the table bound to it.
const TessaDriverApi& ResetFakeDriver();
FakeDriverState& FakeDriver();
bool FakeDriverCalled(const std::string& prefix);
