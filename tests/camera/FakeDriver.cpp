// The scriptable test driver table.
#include "tests/camera/FakeDriver.h"

#include <cstdio>

namespace {

FakeDriverState g_state;

void Log(const char* format, long long a = 0, long long b = 0, long long c = 0, long long d = 0) {
  char text[160];
  std::snprintf(text, sizeof text, format, a, b, c, d);
  g_state.calls.emplace_back(text);
}

int TESSA_CALL Prepare(int, int, int) { Log("Prepare"); return 0; }
int TESSA_CALL Startup(int) { Log("Startup"); return 0; }
int TESSA_CALL Enumerate(CameraEnumEntry*, int* count, int mask) {
  Log("Enumerate %lld", mask);
  *count = 0;
  return 0;
}
int TESSA_CALL OpenCamera(int id, int* handle) {
  Log("OpenCamera %lld", id);
  if (g_state.openStatus == 0) *handle = 77;
  return g_state.openStatus;
}
int TESSA_CALL CloseCamera(int h) { Log("CloseCamera %lld", h); return 0; }
int TESSA_CALL GetCameraInfo(int h, int item, std::uint32_t* first, std::uint32_t* second) {
  Log("GetCameraInfo %lld %lld", h, item);
  auto it = g_state.info.find(item);
  if (it == g_state.info.end()) return kDrvBadArgument;
  *first = it->second.first;
  *second = it->second.second;
  return 0;
}
int TESSA_CALL InitSettings(int h, CameraSettingsBlock* block) {
  Log("InitSettings %lld %lld", h, block->size);
  return g_state.initStatus;
}
int TESSA_CALL ReadSettings(int, CameraSettingsBlock*) {
  Log("ReadSettings");
  return g_state.readSettingsStatus;
}
int TESSA_CALL ApplySettings(int, CameraSettingsBlock*) { Log("ApplySettings"); return 0; }
int TESSA_CALL ApplySettingsEx(int, CameraSettingsBlock*, int a, int b, int c) {
  Log("ApplySettingsEx %lld %lld %lld", a, b, c);
  return 0;
}
int TESSA_CALL GetSetting(int, CameraSettingsBlock*, int id, std::uint32_t* value) {
  auto it = g_state.settings.find(id);
  if (it == g_state.settings.end()) return kDrvBadArgument;
  *value = it->second;
  return 0;
}
int TESSA_CALL SetSetting(int, CameraSettingsBlock*, int id, std::uint32_t value) {
  Log("SetSetting %lld %lld", id, value);
  g_state.settings[id] = value;
  return 0;
}
int TESSA_CALL GrabFrames(int, GrabRequest* r, int timeout) {
  Log("GrabFrames %lld %lld %lld", r->byteCount, r->frameCount, timeout);
  return 0;
}
int TESSA_CALL GrabDuringRecording(int, GrabRequest* r, int timeout) {
  Log("GrabDuringRecording %lld %lld %lld", r->byteCount, r->frameCount, timeout);
  return 0;
}
int TESSA_CALL StartRecording(int, std::uint32_t lo, std::uint32_t hi, std::uint32_t frames,
                              std::uint32_t pre, TessaRecordingDone, int flag, TessaContext) {
  Log("StartRecording %lld %lld %lld %lld", lo, hi, frames, pre + 1000LL * flag);
  return 0;
}
int TESSA_CALL StopRecording(int, int*) { Log("StopRecording"); return 0; }
int TESSA_CALL GetRecordingStatus(int, int*, int*, int*, int*) { return 0; }
int TESSA_CALL ReadFrameTable(int, int first, int count, FrameTableEntry* table) {
  Log("ReadFrameTable %lld %lld", first, count);
  for (int i = 0; i < count; ++i) {
    table[i] = {g_state.tableBase.low + static_cast<std::uint32_t>(first + i) * 0x100,
                g_state.tableBase.high};
  }
  return 0;
}
int TESSA_CALL ReadFrame(int, std::uint32_t lo, std::uint32_t hi, int index, void*) {
  Log("ReadFrame %lld %lld %lld", lo, hi, index);
  return 0;
}
int TESSA_CALL SoftwareTrigger(int) { Log("SoftwareTrigger"); return 0; }
int TESSA_CALL ResetCamera(int) { Log("ResetCamera"); return 0; }
int TESSA_CALL Shutdown() { Log("Shutdown"); return 0; }

const TessaDriverApi kFakeApi = {
    Prepare,        Startup,       Enumerate,     OpenCamera,         CloseCamera,
    GetCameraInfo,  InitSettings,  ReadSettings,  ApplySettings,      ApplySettingsEx,
    GetSetting,     SetSetting,    GrabFrames,    GrabDuringRecording, StartRecording,
    StopRecording,  GetRecordingStatus, ReadFrameTable, ReadFrame,   SoftwareTrigger,
    ResetCamera,    Shutdown};

}  // namespace

const TessaDriverApi& ResetFakeDriver() {
  g_state = FakeDriverState{};
  return kFakeApi;
}

FakeDriverState& FakeDriver() { return g_state; }

bool FakeDriverCalled(const std::string& prefix) {
  for (const auto& call : g_state.calls) {
    if (call.compare(0, prefix.size(), prefix) == 0) return true;
  }
  return false;
}
