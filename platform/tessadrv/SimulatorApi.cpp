// The driver's entry points as free functions over the process-wide simulator; the DLL exports these.
#include "platform/tessadrv/SimulatorApi.h"

TessaSimulator& Simulator() {
  // Never destroyed: a DLL must not wait for its recording threads while it is being unloaded.
  static TessaSimulator* const instance = new TessaSimulator;
  return *instance;
}

extern "C" {

int TESSA_CALL DrvPrepare(int a, int b, int c) { return Simulator().Prepare(a, b, c); }
int TESSA_CALL DrvStartup(int flag) { return Simulator().Startup(flag); }
int TESSA_CALL DrvEnumerateCameras(CameraEnumEntry* entries, int* count, int mask) {
  return Simulator().EnumerateCameras(entries, count, mask);
}
int TESSA_CALL DrvOpenCamera(int cameraId, int* handle) { return Simulator().OpenCamera(cameraId, handle); }
int TESSA_CALL DrvCloseCamera(int h) { return Simulator().CloseCamera(h); }
int TESSA_CALL DrvGetCameraInfo(int h, int item, std::uint32_t* first, std::uint32_t* second) {
  return Simulator().GetCameraInfo(h, item, first, second);
}
int TESSA_CALL DrvInitSettings(int h, CameraSettingsBlock* block) { return Simulator().InitSettings(h, block); }
int TESSA_CALL DrvReadSettings(int h, CameraSettingsBlock* block) { return Simulator().ReadSettings(h, block); }
int TESSA_CALL DrvApplySettings(int h, CameraSettingsBlock* block) { return Simulator().ApplySettings(h, block); }
int TESSA_CALL DrvApplySettingsEx(int h, CameraSettingsBlock* block, int a, int b, int c) {
  return Simulator().ApplySettingsEx(h, block, a, b, c);
}
int TESSA_CALL DrvGetSetting(int h, CameraSettingsBlock* block, int id, std::uint32_t* value) {
  return Simulator().GetSetting(h, block, id, value);
}
int TESSA_CALL DrvSetSetting(int h, CameraSettingsBlock* block, int id, std::uint32_t value) {
  return Simulator().SetSetting(h, block, id, value);
}
int TESSA_CALL DrvGrabFrames(int h, GrabRequest* request, int timeoutMs) {
  return Simulator().GrabFrames(h, request, timeoutMs);
}
int TESSA_CALL DrvGrabDuringRecording(int h, GrabRequest* request, int flag) {
  return Simulator().GrabDuringRecording(h, request, flag);
}
int TESSA_CALL DrvStartRecording(int h, std::uint32_t addressLow, std::uint32_t addressHigh, std::uint32_t frames,
                                 std::uint32_t preTrigger, TessaRecordingDone callback, int flag,
                                 TessaContext context) {
  return Simulator().StartRecording(h, addressLow, addressHigh, frames, preTrigger, callback, flag, context);
}
int TESSA_CALL DrvStopRecording(int h, int* out) { return Simulator().StopRecording(h, out); }
int TESSA_CALL DrvGetRecordingStatus(int h, int* active, int* recorded, int* triggerIndex, int* triggered) {
  return Simulator().GetRecordingStatus(h, active, recorded, triggerIndex, triggered);
}
int TESSA_CALL DrvReadFrameTable(int h, int first, int count, FrameTableEntry* table) {
  return Simulator().ReadFrameTable(h, first, count, table);
}
int TESSA_CALL DrvReadFrame(int h, std::uint32_t addressLow, std::uint32_t addressHigh, int index, void* buffer) {
  return Simulator().ReadFrame(h, addressLow, addressHigh, index, buffer);
}
int TESSA_CALL DrvSoftwareTrigger(int h) { return Simulator().SoftwareTrigger(h); }
int TESSA_CALL DrvResetCamera(int h) { return Simulator().ResetCamera(h); }
int TESSA_CALL DrvShutdown() { return Simulator().Shutdown(); }

}  // extern "C"

const TessaDriverApi& SimulatorDriverApi() {
  static const TessaDriverApi api = {
      DrvPrepare, DrvStartup, DrvEnumerateCameras, DrvOpenCamera, DrvCloseCamera,
      DrvGetCameraInfo, DrvInitSettings, DrvReadSettings, DrvApplySettings, DrvApplySettingsEx,
      DrvGetSetting, DrvSetSetting, DrvGrabFrames, DrvGrabDuringRecording, DrvStartRecording,
      DrvStopRecording, DrvGetRecordingStatus, DrvReadFrameTable, DrvReadFrame, DrvSoftwareTrigger,
      DrvResetCamera, DrvShutdown,
  };
  return api;
}
