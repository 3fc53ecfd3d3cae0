// The conformance suite run against the simulator's own table of entry points.
#include "platform/tessadrv/SimulatorApi.h"
#include "tests/tessadrv/ConformanceRunner.h"

namespace {

DriverUnderTest SimulatorUnderTest() {
  return {SimulatorDriverApi(), [](const std::string& ini) { Simulator().SetConfigOverride(ini); }};
}

const bool registered = RegisterConformanceTests("SimulatorConformance", SimulatorUnderTest, __FILE__, __LINE__);

}  // namespace
