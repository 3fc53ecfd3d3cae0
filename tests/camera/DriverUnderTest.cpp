// Where the camera-device tests get their driver from on each platform.
#include "tests/camera/DriverUnderTest.h"

#if defined(_WIN32)
#include <windows.h>

#include <cstdio>

#include "camera/TessaLibrary.h"

const TessaDriverApi& DriverUnderTest(const std::string& iniText) {
  static TessaLibrary library;
  if (!library.IsLoaded()) library.Load();
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path =
      std::string(folder) + "selvar-camera-" + std::to_string(GetCurrentProcessId()) + ".ini";
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(iniText.data(), 1, iniText.size(), file);
    std::fclose(file);
  }
  SetEnvironmentVariableA("TESSADRV_CONFIG", path.c_str());
  return library.Api();
}

#else
#include "platform/tessadrv/SimulatorApi.h"

const TessaDriverApi& DriverUnderTest(const std::string& iniText) {
  Simulator().SetConfigOverride(iniText);
  return SimulatorDriverApi();
}
#endif
