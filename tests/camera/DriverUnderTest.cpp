// Where the camera-device tests get their driver from on each platform.
#include "tests/camera/DriverUnderTest.h"

#if defined(_WIN32)
#include "tests/tessadrv/DriverConfigFile.h"

const TessaDriverApi& DriverUnderTest(const std::string& iniText) {
  UseDriverConfiguration(iniText);
  return LoadedTessaDrv().Api();
}

#else
#include "platform/tessadrv/SimulatorApi.h"

const TessaDriverApi& DriverUnderTest(const std::string& iniText) {
  Simulator().SetConfigOverride(iniText);
  return SimulatorDriverApi();
}
#endif
