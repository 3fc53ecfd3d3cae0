// A conformance suite for any table of TessaDrv entry points: each check returns its violations.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "camera/TessaDriver.h"

struct DriverUnderTest {
  TessaDriverApi api;
  // Makes the driver's next start-up use this INI configuration.
  std::function<void(const std::string& iniText)> useConfig;
};

using Violations = std::vector<std::string>;

Violations CheckStartupAndShutdown(const DriverUnderTest& d);
Violations CheckDefaultCamera(const DriverUnderTest& d);
Violations CheckEnumeration(const DriverUnderTest& d);
Violations CheckDefaultFamilies(const DriverUnderTest& d);
Violations CheckHandles(const DriverUnderTest& d);
Violations CheckInfoItems(const DriverUnderTest& d);
Violations CheckSettingsCoupling(const DriverUnderTest& d);
Violations CheckFaults(const DriverUnderTest& d);

Violations CheckLiveGrab(const DriverUnderTest& d);
Violations CheckTestPattern(const DriverUnderTest& d);
Violations CheckGrabsDuringRecording(const DriverUnderTest& d);

Violations CheckNormalRecording(const DriverUnderTest& d);
Violations CheckCircularRecording(const DriverUnderTest& d);
Violations CheckSoftwareTrigger(const DriverUnderTest& d);
Violations CheckRecordingRefusals(const DriverUnderTest& d);
Violations CheckLargeMemory(const DriverUnderTest& d);
Violations CheckFrameTable(const DriverUnderTest& d);
Violations CheckCallbackRules(const DriverUnderTest& d);

struct ConformanceCase {
  const char* name;
  Violations (*check)(const DriverUnderTest&);
};
// Every check above, for runners that go through them all.
const std::vector<ConformanceCase>& AllConformanceCases();
