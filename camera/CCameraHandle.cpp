// Thin wrapper over the driver's per-camera calls.
#include "camera/CCameraHandle.h"

#include <atomic>

CCameraHandle::CCameraHandle(const TessaDriverApi& driver) : driver_(driver) {}

CCameraHandle::~CCameraHandle() { Close(); }

int CCameraHandle::Open(int cameraId) {
  int handle = 0;
  const int status = CallDriver(driver_.OpenCamera, cameraId, &handle);
  if (status != kDrvOk) return status;
  handle_ = handle;
  block_.size = kSettingsBlockBytes;
  // A failed initialisation keeps the driver handle open; the caller treats the camera as closed.
  return CallDriver(driver_.InitSettings, handle_, &block_);
}

int CCameraHandle::Close() {
  if (handle_ == 0) return kDrvOk;
  const int status = CallDriver(driver_.CloseCamera, handle_);
  handle_ = 0;
  return status;
}

int CCameraHandle::Reset() { return CallDriver(driver_.ResetCamera, handle_); }

int CCameraHandle::GetInfo(int item, std::uint32_t* first, std::uint32_t* second) {
  return CallDriver(driver_.GetCameraInfo, handle_, item, first, second);
}

int CCameraHandle::InitSettings() { return CallDriver(driver_.InitSettings, handle_, &block_); }
int CCameraHandle::ReadSettings() { return CallDriver(driver_.ReadSettings, handle_, &block_); }
int CCameraHandle::ApplySettings() { return CallDriver(driver_.ApplySettings, handle_, &block_); }

int CCameraHandle::ApplySettingsEx(int a, int b, int c) {
  return CallDriver(driver_.ApplySettingsEx, handle_, &block_, a, b, c);
}

int CCameraHandle::GetSettingRaw(int id, std::uint32_t* value) {
  return CallDriver(driver_.GetSetting, handle_, &block_, id, value);
}

int CCameraHandle::SetSettingRaw(int id, std::uint32_t value) {
  return CallDriver(driver_.SetSetting, handle_, &block_, id, value);
}

int CCameraHandle::StartRecording(std::uint32_t addressLow, std::uint32_t addressHigh,
                                  std::uint32_t frames, std::uint32_t preTrigger,
                                  TessaRecordingDone callback, int flag, TessaContext context) {
  return CallDriver(driver_.StartRecording, handle_, addressLow, addressHigh, frames, preTrigger,
                    callback, flag, context);
}

int CCameraHandle::StopRecording(int* out) { return CallDriver(driver_.StopRecording, handle_, out); }

int CCameraHandle::ReadFrameRaw(std::uint32_t addressLow, std::uint32_t addressHigh, int index,
                                void* buffer) {
  return CallDriver(driver_.ReadFrame, handle_, addressLow, addressHigh, index, buffer);
}

int CCameraHandle::GetRecordingStatus(int* active, int* recorded, int* triggerIndex,
                                      int* triggered) {
  return CallDriver(driver_.GetRecordingStatus, handle_, active, recorded, triggerIndex, triggered);
}

int CCameraHandle::ReadFrameTableRaw(int first, int count, FrameTableEntry* table) {
  return CallDriver(driver_.ReadFrameTable, handle_, first, count, table);
}

int CCameraHandle::SoftwareTrigger() { return CallDriver(driver_.SoftwareTrigger, handle_); }

int CCameraHandle::Prepare(const TessaDriverApi& driver, int a, int b, int c) {
  return CallDriver(driver.Prepare, a, b, c);
}

int CCameraHandle::Enumerate(const TessaDriverApi& driver, CameraEnumEntry* entries, int* count,
                             int mask) {
  return CallDriver(driver.EnumerateCameras, entries, count, mask);
}

namespace {

// Users of the process-wide driver: each camera view starts it and shuts it down at its end. With
// several controls in one process, only the last one's shutdown may reach the driver, or it would
// close the other controls' cameras under them.
std::atomic<int> g_driverUsers{0};

}  // namespace

int CCameraHandle::Startup(const TessaDriverApi& driver, int flag) {
  ++g_driverUsers;
  return CallDriver(driver.Startup, flag);
}

int CCameraHandle::Shutdown(const TessaDriverApi& driver) {
  int users = g_driverUsers.load();
  while (users > 0 && !g_driverUsers.compare_exchange_weak(users, users - 1)) {
  }
  if (users > 1) return kDrvOk;
  return CallDriver(driver.Shutdown);
}
