// The simulated driver's start-up, enumeration, open and close, information items and settings.
#include "platform/tessadrv/TessaSimulator.h"

#if defined(_WIN32)
#include <windows.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "camera/CameraIds.h"
#include "platform/tessadrv/SimulatedCamera.h"

namespace {

constexpr int kFirstHandle = 0x4D0001;
constexpr std::size_t kMaxConfigBytes = 1 << 20;

// The whole file, or nothing when it cannot be read or is implausibly large for a configuration.
std::optional<std::string> ReadTextFile(const char* path) {
  std::FILE* f = std::fopen(path, "rb");
  if (!f) return std::nullopt;
  std::string text;
  char chunk[4096];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0 && text.size() <= kMaxConfigBytes) {
    text.append(chunk, got);
  }
  const bool failed = std::ferror(f) != 0 || text.size() > kMaxConfigBytes;
  std::fclose(f);
  if (failed) return std::nullopt;
  return text;
}

void FillEntry(const SimCameraConfig& c, CameraEnumEntry& e) {
  std::memset(&e, 0, sizeof e);
  e.driverSize = sizeof(CameraEnumEntry);
  e.cameraId = c.id;
  e.modelCode = c.model;
  e.colour = c.color;
  e.driver16 = c.subType;
  e.serial = c.serial;
  e.linkType = c.link;
  std::memcpy(e.driver44, &c.family, sizeof c.family);
  e.variant = c.variant;
}

}  // namespace

TessaSimulator::TessaSimulator() : nextHandle_(kFirstHandle) {}

TessaSimulator::~TessaSimulator() { Shutdown(); }

void TessaSimulator::SetConfigOverride(const std::string& iniText) {
  std::lock_guard<std::mutex> lock(mutex_);
  configOverride_ = iniText;
}

void TessaSimulator::ClearConfigOverride() {
  std::lock_guard<std::mutex> lock(mutex_);
  configOverride_.reset();
}

int TessaSimulator::Lookup(int h, SimCamera*& camera) {
  if (!started_) return kDrvNotStarted;
  for (auto& c : cameras_) {
    if (h != 0 && c->handle == h) {
      camera = c.get();
      return kDrvOk;
    }
  }
  return kDrvBadHandle;
}

int TessaSimulator::Prepare(int, int, int) { return kDrvOk; }

// The process environment as it is now: on Windows the C runtime keeps a copy of its own taken
// at start-up, which misses a host's later SetEnvironmentVariable.
std::string TessaSimulator::ConfigPathFromEnvironment() {
#if defined(_WIN32)
  char path[1024];
  const DWORD length = GetEnvironmentVariableA("TESSADRV_CONFIG", path, sizeof path);
  return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
#else
  const char* path = std::getenv("TESSADRV_CONFIG");
  return path ? std::string(path) : std::string();
#endif
}

int TessaSimulator::LoadConfiguration() {
  SimDriverConfig config;
  if (configOverride_) {
    config = DriverConfigFromIni(*configOverride_);
  } else if (const std::string path = ConfigPathFromEnvironment(); !path.empty()) {
    const auto text = ReadTextFile(path.c_str());
    if (!text) return kDrvFailed;
    config = DriverConfigFromIni(*text);
  } else {
    config = DefaultDriverConfig();
  }
  if (!config.refusal.empty()) {
    std::fprintf(stderr, "TessaDrv: %s; no cameras are offered.\n", config.refusal.c_str());
  }
  timeScale_ = config.timeScale;
  cameras_.clear();
  for (const SimCameraConfig& c : config.cameras) {
    auto camera = std::make_unique<SimCamera>();
    camera->config = c;
    camera->settings = PowerOnSettings(c);
    cameras_.push_back(std::move(camera));
  }
  return kDrvOk;
}

int TessaSimulator::Startup(int) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (started_) return kDrvOk;
  const int status = LoadConfiguration();
  started_ = status == kDrvOk;
  return status;
}

int TessaSimulator::Shutdown() {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!started_) return kDrvNotStarted;
  // Ending a recording releases the lock, so collect them first and end each in turn.
  for (;;) {
    std::shared_ptr<SimRecording> running;
    for (auto& c : cameras_) {
      if (c->recording && c->recording->thread.joinable()) running = c->recording;
    }
    if (!running) break;
    EndRecording(lock, running);
  }
  cameras_.clear();
  started_ = false;
  return kDrvOk;
}

int TessaSimulator::EnumerateCameras(CameraEnumEntry* entries, int* count, int mask) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!started_) return kDrvNotStarted;
  if (!count || *count < 0 || (!entries && *count > 0)) return kDrvBadArgument;
  const int capacity = *count;
  int found = 0;
  for (const auto& c : cameras_) {
    if ((c->config.family & static_cast<std::uint32_t>(mask)) == 0) continue;
    if (found < capacity) FillEntry(c->config, entries[found]);
    ++found;
  }
  *count = found;
  return kDrvOk;
}

int TessaSimulator::OpenCamera(int cameraId, int* handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!started_) return kDrvNotStarted;
  if (!handle) return kDrvBadArgument;
  for (auto& c : cameras_) {
    if (c->config.id != cameraId) continue;
    if (c->handle != 0) return kDrvBusy;
    if (c->config.failOpen) return kDrvFailed;
    c->handle = nextHandle_++;
    if (nextHandle_ <= 0) nextHandle_ = kFirstHandle;
    c->liveFrames = 0;
    c->goodGrabs = 0;
    c->nextLiveDue = Clock::now();
    *handle = c->handle;
    return kDrvOk;
  }
  return kDrvBadArgument;
}

int TessaSimulator::LookupStopped(std::unique_lock<std::mutex>& lock, int h, SimCamera*& camera) {
  const int status = Lookup(h, camera);
  if (status != kDrvOk || !camera->recording) return status;
  EndRecording(lock, std::shared_ptr<SimRecording>(camera->recording));
  return Lookup(h, camera);
}

int TessaSimulator::CloseCamera(int h) {
  std::unique_lock<std::mutex> lock(mutex_);
  SimCamera* camera = nullptr;
  const int status = LookupStopped(lock, h, camera);
  if (status != kDrvOk) return status;
  camera->handle = 0;
  return kDrvOk;
}

int TessaSimulator::ResetCamera(int h) {
  std::unique_lock<std::mutex> lock(mutex_);
  SimCamera* camera = nullptr;
  const int status = LookupStopped(lock, h, camera);
  if (status != kDrvOk) return status;
  camera->settings = PowerOnSettings(camera->config);
  return kDrvOk;
}

int TessaSimulator::GetCameraInfo(int h, int item, std::uint32_t* first, std::uint32_t* second) {
  std::lock_guard<std::mutex> lock(mutex_);
  SimCamera* camera = nullptr;
  const int status = Lookup(h, camera);
  if (status != kDrvOk) return status;
  if (!first || !second) return kDrvBadArgument;
  const SimCameraConfig& c = camera->config;
  std::uint64_t value;
  switch (item) {
    case kInfoModelCode: value = static_cast<std::uint32_t>(c.model); break;
    case kInfoMemorySize: value = c.memoryBytes; break;
    case kInfoSerial: value = c.serial; break;
    case kInfoSubtype: value = c.subType; break;
    case kInfoColor: value = c.color; break;
    case kInfoSensorWidth: value = c.sensorWidth; break;
    case kInfoSensorHeight: value = c.sensorHeight; break;
    case kInfoLiveWhileRecording: value = c.liveWhileRecording; break;
    case kInfoFrameTableMode: value = c.frameTableMode; break;
    case kInfoVariant: value = c.variant; break;
    case kInfoRecordBase: value = c.recordBase; break;
    default: return kDrvBadArgument;
  }
  *first = static_cast<std::uint32_t>(value);
  *second = static_cast<std::uint32_t>(value >> 32);
  return kDrvOk;
}

int TessaSimulator::LookupWithBlock(int h, CameraSettingsBlock* block, SimCamera*& camera) {
  const int status = Lookup(h, camera);
  return status != kDrvOk ? status : CheckSettingsBlock(block);
}

int TessaSimulator::FillBlock(int h, CameraSettingsBlock* block, bool initialising) {
  std::lock_guard<std::mutex> lock(mutex_);
  SimCamera* camera = nullptr;
  const int status = Lookup(h, camera);
  if (status != kDrvOk) return status;
  if (!block || block->size != kSettingsBlockBytes) return kDrvBadArgument;
  if (initialising && camera->config.failInitSettings) return kDrvFailed;
  WriteSettingsBlock(camera->settings, *block);
  return kDrvOk;
}

int TessaSimulator::InitSettings(int h, CameraSettingsBlock* block) { return FillBlock(h, block, true); }

int TessaSimulator::ReadSettings(int h, CameraSettingsBlock* block) { return FillBlock(h, block, false); }

// The plain apply honours the FailApply fault; the extended one always goes through.
int TessaSimulator::ApplyBlock(int h, CameraSettingsBlock* block, bool extended) {
  std::lock_guard<std::mutex> lock(mutex_);
  SimCamera* camera = nullptr;
  int status = LookupWithBlock(h, block, camera);
  if (status != kDrvOk) return status;
  if (!extended && camera->config.failApply) return kDrvFailed;
  SimulatedSettings requested;
  status = ReadSettingsBlock(*block, requested);
  if (status == kDrvOk) status = CoupleSettings(camera->config, requested);
  if (status != kDrvOk) return status;
  camera->settings = requested;
  WriteSettingsBlock(camera->settings, *block);
  return kDrvOk;
}

int TessaSimulator::ApplySettings(int h, CameraSettingsBlock* block) { return ApplyBlock(h, block, false); }

int TessaSimulator::ApplySettingsEx(int h, CameraSettingsBlock* block, int, int, int) {
  return ApplyBlock(h, block, true);
}

int TessaSimulator::GetSetting(int h, CameraSettingsBlock* block, int id, std::uint32_t* value) {
  std::lock_guard<std::mutex> lock(mutex_);
  SimCamera* camera = nullptr;
  const int status = LookupWithBlock(h, block, camera);
  if (status != kDrvOk) return status;
  if (!value || !IsKnownSettingId(id)) return kDrvBadArgument;
  *value = GetBlockSetting(*block, id);
  return kDrvOk;
}

int TessaSimulator::SetSetting(int h, CameraSettingsBlock* block, int id, std::uint32_t value) {
  std::lock_guard<std::mutex> lock(mutex_);
  SimCamera* camera = nullptr;
  const int status = LookupWithBlock(h, block, camera);
  if (status != kDrvOk) return status;
  if (!IsKnownSettingId(id)) return kDrvBadArgument;
  SetBlockSetting(*block, id, value);
  return kDrvOk;
}
