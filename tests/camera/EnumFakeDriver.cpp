// The scripted enumeration driver.
#include "tests/camera/EnumFakeDriver.h"

#include <cstdio>
#include <cstring>

namespace {

EnumFakeState g_state;
TessaDriverApi g_table;

void Log(const char* format, int a = 0, int b = 0, int c = 0) {
  char text[96];
  std::snprintf(text, sizeof text, format, a, b, c);
  g_state.calls.emplace_back(text);
}

int TESSA_CALL Prepare(int a, int b, int c) { Log("Prepare %d %d %d", a, b, c); return kDrvFailed; }
int TESSA_CALL Startup(int a) { Log("Startup %d", a); return kDrvFailed; }
int TESSA_CALL Enumerate(CameraEnumEntry* entries, int* count, int mask) {
  Log("Enumerate count %d mask 0x%X", *count, mask);
  const std::size_t room = *count < 0 ? 0 : static_cast<std::size_t>(*count);
  for (std::size_t i = 0; i < g_state.cameras.size() && i < room; ++i) entries[i] = g_state.cameras[i];
  *count = g_state.reportedCount != kReportFilled ? g_state.reportedCount : static_cast<int>(g_state.cameras.size());
  return g_state.status;
}

}  // namespace

const TessaDriverApi& ResetEnumFakeDriver() {
  g_state = EnumFakeState{};
  std::memset(&g_table, 0, sizeof g_table);
  g_table.Prepare = Prepare;
  g_table.Startup = Startup;
  g_table.EnumerateCameras = Enumerate;
  return g_table;
}

EnumFakeState& EnumFake() { return g_state; }

CameraEnumEntry MakeEntry(int cameraId, int modelCode, unsigned serial, unsigned linkType,
                          unsigned variant, unsigned colour) {
  CameraEnumEntry entry;
  std::memset(&entry, 0xCD, sizeof entry);  // driver-owned bytes hold noise
  entry.cameraId = cameraId;
  entry.modelCode = modelCode;
  entry.serial = serial;
  entry.linkType = linkType;
  entry.variant = variant;
  entry.colour = colour;
  return entry;
}
