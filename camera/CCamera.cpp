// Composite camera operations: open with model fix-ups, conversions, clamps, grabs and frame reads.
#include "camera/CCamera.h"

#include <cstring>
#include <limits>
#include <new>

#include "acquisition/CameraSettings.h"
#include "camera/CameraIds.h"

namespace {

constexpr std::uint32_t kNsPerUs = 1000;
constexpr std::uint32_t kNsPerSecond = 1000000000;

// Fits one axis of a region to the sensor. A negative size would describe no region at all, so
// it is treated like 0, the whole axis.
void FitAxis(std::int32_t& origin, std::int32_t& size, std::int64_t sensor) {
  if (origin < 0 || origin > sensor) origin = 0;
  if (size <= 0) {
    origin = 0;
    size = static_cast<std::int32_t>(sensor);
  } else if (size > sensor - origin) {
    size = static_cast<std::int32_t>(sensor - origin);
  }
}

std::unique_ptr<std::uint8_t[]> AllocateZeroed(std::uint64_t bytes) {
  // Sizes the 32-bit size word cannot describe count as a failed allocation.
  if (bytes == 0 || bytes > std::numeric_limits<std::uint32_t>::max()) return nullptr;
  std::unique_ptr<std::uint8_t[]> block(new (std::nothrow) std::uint8_t[bytes]);
  if (block) std::memset(block.get(), 0, bytes);
  return block;
}

}  // namespace

CCamera::CCamera(const TessaDriverApi& driver) : CCameraHandle(driver) {}

int CCamera::Open(int cameraId) {
  const int status = CCameraHandle::Open(cameraId);
  if (status == kDrvOk) {
    modelCode_ = static_cast<std::int32_t>(FirstInfoValue(kInfoModelCode));
    const std::uint32_t subtype = FirstInfoValue(kInfoSubtype);
    liveWhileRecording_ = static_cast<int>(FirstInfoValue(kInfoLiveWhileRecording));
    frameTableMode_ = static_cast<int>(FirstInfoValue(kInfoFrameTableMode));
    // Model 1 of sub-types 0 and 1 cannot deliver its last 20 sensor columns.
    if (modelCode_ == 1 && subtype < 2) {
      SetSettingRaw(kSetRoiWidth, FirstInfoValue(kInfoSensorWidth) - 20);
      ApplySettings();
    }
  }
  open_ = status == kDrvOk ? 1 : 0;
  return status;
}

int CCamera::Close() {
  open_ = 0;
  return CCameraHandle::Close();
}

std::uint32_t CCamera::AllocFrameBuffer(std::uint32_t bytesPerSample) {
  const std::uint64_t size = std::uint64_t{FirstInfoValue(kInfoSensorWidth)} *
                             FirstInfoValue(kInfoSensorHeight) * bytesPerSample * 3;
  if (size == frameBufferSize_ && frameBuffer_) return frameBufferSize_;
  frameBuffer_.reset();
  if ((frameBuffer_ = AllocateZeroed(size))) {
    frameBufferSize_ = static_cast<std::uint32_t>(size);
    return frameBufferSize_;
  }
  if ((frameBuffer_ = AllocateZeroed(frameBufferSize_))) return frameBufferSize_;
  frameBufferSize_ = 0;
  return 0;
}

void CCamera::FreeFrameBuffer() {
  frameBuffer_.reset();
  frameBufferSize_ = 0;
}

int CCamera::SetSetting(int id, std::uint32_t value) {
  if (id == kSetExposure) {
    if (value > kMaxExposureUs) value = kMaxExposureUs;
    value *= kNsPerUs;
  }
  return SetSettingRaw(id, value);
}

int CCamera::GetSetting(int id, std::uint32_t* value) {
  const int status = GetSettingRaw(id, value);
  if (id == kSetExposure) *value /= kNsPerUs;
  return status;
}

int CCamera::ClampExposure(std::uint32_t& microseconds) {
  std::uint32_t period = 0;
  if (GetSettingRaw(kSetFramePeriod, &period) != kDrvOk) return 0;
  // The longest exposure a period allows is the period less one microsecond; a period shorter
  // than that allows none.
  const std::uint32_t longest = period > kNsPerUs ? (period - kNsPerUs) / kNsPerUs : 0;
  if (microseconds != 0 && std::uint64_t{microseconds} * kNsPerUs + kNsPerUs <= period) return 0;
  microseconds = longest;
  return 1;
}

std::uint32_t CCamera::GetMaxRate() {
  std::uint32_t minimumPeriod = 0;
  GetSettingRaw(kSetMinFramePeriod, &minimumPeriod);
  return minimumPeriod == 0 ? 10 : kNsPerSecond / minimumPeriod;
}

int CCamera::ClampRate(std::uint32_t& framesPerSecond) {
  const std::uint32_t maximum = GetMaxRate();
  if (framesPerSecond != 0 && framesPerSecond <= maximum) return 0;
  framesPerSecond = maximum;
  return 1;
}

void CCamera::FitRoi(CameraSettings& region) {
  std::uint32_t maxWidth = 0;
  std::uint32_t maxHeight = 0;
  GetSettingRaw(kSetMaxWidth, &maxWidth);
  GetSettingRaw(kSetMaxHeight, &maxHeight);
  region.SensorWidth = maxWidth;
  region.SensorHeight = maxHeight;
  FitAxis(region.RoiX0, region.RoiWidth, maxWidth);
  FitAxis(region.RoiY0, region.RoiHeight, maxHeight);
}

int CCamera::ReadSettingsInto(CameraSettings& record) {
  const int status = ReadSettings();
  if (status != kDrvOk) return status;
  auto read = [this](int id) {
    std::uint32_t value = 0;
    GetSetting(id, &value);
    return value;
  };
  record.Gain = read(kSetGain);
  record.Exposure = read(kSetExposure);
  record.ExpMode = read(kSetExposureMode);
  const std::uint32_t period = read(kSetFramePeriod);
  record.Rate = period == 0 ? 100 : static_cast<std::uint32_t>(double{kNsPerSecond} / period + 0.5);
  record.BitWindow = read(kSetBitWindow);
  record.PixelDepth = read(kSetPixelDepth);
  record.RoiX0 = static_cast<std::int32_t>(read(kSetRoiX0));
  record.RoiY0 = static_cast<std::int32_t>(read(kSetRoiY0));
  record.RoiWidth = static_cast<std::int32_t>(read(kSetRoiWidth));
  record.RoiHeight = static_cast<std::int32_t>(read(kSetRoiHeight));
  record.SyncInCfg = read(kSetSyncIn);
  record.TriggerInCfg = read(kSetTriggerIn);
  record.RecordMode = read(kSetRecordMode);
  record.AcquisitionFrames = read(kSetRecordFrames);
  record.AcquisitionPreTriggerFrames = read(kSetPreTriggerFrames);
  record.LiveTimeOut = kDefaultLiveTimeOutMs;
  return kDrvOk;
}

int CCamera::PrepareGrab(bool duringRecording, PendingGrab& grab) {
  std::uint32_t mode = 0;
  GetSettingRaw(kSetExposureMode, &mode);
  const std::uint32_t frames = mode == 1 ? 2 : 1;
  // Two frames of the widest pixels would need more than the buffer holds: refuse, never overrun.
  const std::uint64_t bytes = GetFrameBytes() * frames;
  if (!frameBuffer_ || bytes > frameBufferSize_) return kDrvBufferTooSmall;
  grab.request = GrabRequest{frameBuffer_.get(), static_cast<std::uint32_t>(bytes), frames, {}};
  grab.timeOutMs = static_cast<int>(liveTimeOut_);
  grab.duringRecording = duringRecording;
  return kDrvOk;
}

int CCamera::SendGrab(PendingGrab& grab) const {
  if (grab.duringRecording) {
    return CallDriver(driver_.GrabDuringRecording, DriverHandle(), &grab.request, 0);
  }
  return CallDriver(driver_.GrabFrames, DriverHandle(), &grab.request, grab.timeOutMs);
}

int CCamera::Grab(bool duringRecording) {
  PendingGrab grab;
  const int status = PrepareGrab(duringRecording, grab);
  return status != kDrvOk ? status : SendGrab(grab);
}

int CCamera::GrabLive() { return Grab(false); }

int CCamera::GrabDuringRecording() { return Grab(true); }

bool CCamera::UsesFrameTable() const {
  return UsesFrameTableModel(modelCode_) && frameTableMode_ == 0;
}

int CCamera::ReadFrameTable(int first, int count) {
  if (!UsesFrameTable()) return kDrvOk;
  // Longer acquisitions than the table holds get the table's worth of addresses.
  if (first < 0 || first >= kFrameTableEntries || count <= 0) return kCamOutOfRange;
  if (count > kFrameTableEntries - first) count = kFrameTableEntries - first;
  return ReadFrameTableRaw(first, count, frameTable_ + first);
}

int CCamera::ReadFrame(std::uint32_t addressLow, std::uint32_t addressHigh, int index) {
  if (!frameBuffer_) return kDrvBufferTooSmall;
  return ReadFrameInto(addressLow, addressHigh, index, frameBuffer_.get());
}

int CCamera::ReadFrameInto(std::uint32_t addressLow, std::uint32_t addressHigh, int index,
                           void* buffer) {
  if (UsesFrameTable()) {
    if (index < 0 || index >= kFrameTableEntries) return kCamOutOfRange;
    const FrameTableEntry& entry = frameTable_[index];
    return ReadFrameRaw(entry.low, entry.high, 0, buffer);
  }
  return ReadFrameRaw(addressLow, addressHigh, index, buffer);
}

std::uint32_t CCamera::FirstInfoValue(int item) {
  std::uint32_t first = 0;
  std::uint32_t second = 0;
  GetInfo(item, &first, &second);
  return first;
}

std::int32_t CCamera::GetModelCode() {
  return static_cast<std::int32_t>(FirstInfoValue(kInfoModelCode));
}
std::uint32_t CCamera::GetCameraSerial() { return FirstInfoValue(kInfoSerial); }
std::uint32_t CCamera::GetModelSubtype() { return FirstInfoValue(kInfoSubtype); }
std::uint32_t CCamera::GetModelVariant() { return FirstInfoValue(kInfoVariant); }
std::uint32_t CCamera::GetRecordBase() { return FirstInfoValue(kInfoRecordBase); }
int CCamera::IsColor() { return FirstInfoValue(kInfoColor) == 1 ? 1 : 0; }

std::uint64_t CCamera::GetMemorySize() {
  std::uint32_t low = 0;
  std::uint32_t high = 0;
  GetInfo(kInfoMemorySize, &low, &high);
  return (std::uint64_t{high} << 32) | low;
}

void CCamera::GetRoiFormat(std::uint32_t* width, std::uint32_t* height, std::uint32_t* depth) {
  GetSettingRaw(kSetRoiWidth, width);
  GetSettingRaw(kSetRoiHeight, height);
  if (depth) GetSettingRaw(kSetPixelDepth, depth);
}

std::uint64_t CCamera::GetFrameBytes() {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t depth = 0;
  GetRoiFormat(&width, &height, &depth);
  return std::uint64_t{width} * height * BytesPerPixel(depth);
}

std::uint32_t CCamera::GetMemoryFrameBytes() {
  std::uint32_t bytes = 0;
  GetSettingRaw(kSetMemoryFrameBytes, &bytes);
  return bytes;
}
