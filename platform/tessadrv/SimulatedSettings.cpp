// The simulated camera's settings: the values it runs with, their coupling, and the settings block.
#include "platform/tessadrv/SimulatedSettings.h"

#include <cstring>

#include "camera/CameraIds.h"

namespace {

constexpr std::uint32_t kBlockMarker = 0x31425354;  // "TSB1"
constexpr std::size_t kMarkerOffset = 4;
constexpr std::size_t kValuesOffset = 8;
static_assert(kValuesOffset + SimulatedSettings::kIdCount * 4 <= kSettingsBlockBytes);

constexpr std::uint32_t kGainSteps = 4;
constexpr std::uint32_t kSyncInChoices = 5;
constexpr std::uint32_t kTriggerInChoices = 3;
constexpr std::uint32_t kPowerOnExposureNs = 1000000;

bool DepthAllowed(const SimCameraConfig& camera, std::uint32_t depth) {
  if (camera.color) return depth == 24 || depth == 27 || depth == 30;
  return depth == 8 || depth == 9 || depth == 10;
}

// Fits one axis of the region to a sensor side: an origin off the sensor moves to 0, a size of 0
// or one that runs over the edge takes what is left.
void ClampAxis(std::uint32_t side, std::uint32_t& origin, std::uint32_t& size) {
  if (origin >= side) origin = 0;
  if (size == 0 || size > side - origin) size = side - origin;
}

}  // namespace

bool IsKnownSettingId(int id) {
  switch (id) {
    case kSetGain: case kSetExposure: case kSetPixelFormat: case kSetPixelDepth: case kSetBitWindow:
    case kSetSyncIn: case kSetRecordMode: case kSetExposureMode: case kSetTriggerIn: case kSetMaxWidth:
    case kSetMaxHeight: case kSetRoiX0: case kSetRoiY0: case kSetRoiWidth: case kSetRoiHeight:
    case kSetFramePeriod: case kSetMinFramePeriod: case kSetRecordFrames: case kSetPreTriggerFrames:
    case kSetMemoryFrameBytes:
      return true;
    default:
      return id >= kSetColorMatrixFirst && id <= kSetColorMatrixLast;
  }
}

std::uint32_t MinimumPeriodNs(const SimCameraConfig& camera, std::uint32_t regionHeight) {
  const std::uint64_t scaled =
      (static_cast<std::uint64_t>(camera.minPeriodNs) * regionHeight + camera.sensorHeight - 1) /
      camera.sensorHeight;
  return scaled < kShortestPeriodNs ? kShortestPeriodNs : static_cast<std::uint32_t>(scaled);
}

std::uint32_t MemoryFrameBytes(const SimCameraConfig& camera, std::uint32_t width, std::uint32_t height,
                               std::uint32_t depth) {
  const std::uint64_t raw = static_cast<std::uint64_t>(width) * height * BytesPerPixel(depth);
  const std::uint64_t pages = (raw + kMemoryPageBytes - 1) / kMemoryPageBytes * kMemoryPageBytes;
  return static_cast<std::uint32_t>(pages + (KeepsFrameTable(camera) ? kFrameHeaderBytes : 0));
}

SimulatedSettings PowerOnSettings(const SimCameraConfig& camera) {
  SimulatedSettings s;
  s[kSetPixelDepth] = camera.color ? 24 : 8;
  s[kSetFramePeriod] = 0;  // raised to the minimum by the coupling
  s[kSetExposure] = kPowerOnExposureNs;
  s[kSetRecordFrames] = 100;
  for (int i = 0; i < 3; ++i) s[kSetColorMatrixFirst + 4 * i] = 0x10000;  // identity
  CoupleSettings(camera, s);
  return s;
}

int CoupleSettings(const SimCameraConfig& camera, SimulatedSettings& requested) {
  SimulatedSettings s = requested;
  if (!DepthAllowed(camera, s[kSetPixelDepth]) || s[kSetBitWindow] > 2 || s[kSetGain] >= kGainSteps ||
      s[kSetSyncIn] >= kSyncInChoices || s[kSetRecordMode] > 1 || s[kSetExposureMode] > 1 ||
      s[kSetTriggerIn] >= kTriggerInChoices) {
    return kDrvBadArgument;
  }
  s[kSetPixelFormat] = PixelClassOf(s[kSetPixelDepth]);
  s[kSetMaxWidth] = camera.sensorWidth;
  s[kSetMaxHeight] = camera.sensorHeight;
  ClampAxis(camera.sensorWidth, s[kSetRoiX0], s[kSetRoiWidth]);
  ClampAxis(camera.sensorHeight, s[kSetRoiY0], s[kSetRoiHeight]);
  s[kSetMinFramePeriod] = MinimumPeriodNs(camera, s[kSetRoiHeight]);
  if (s[kSetFramePeriod] < s[kSetMinFramePeriod]) s[kSetFramePeriod] = s[kSetMinFramePeriod];
  if (s[kSetExposure] > s[kSetFramePeriod] - kExposureGapNs) s[kSetExposure] = s[kSetFramePeriod] - kExposureGapNs;
  s[kSetMemoryFrameBytes] = MemoryFrameBytes(camera, s[kSetRoiWidth], s[kSetRoiHeight], s[kSetPixelDepth]);
  for (int id = 0; id < SimulatedSettings::kIdCount; ++id) {
    if (!IsKnownSettingId(id)) s[id] = 0;
  }
  requested = s;
  return kDrvOk;
}

PatternGeometry FrameGeometry(const SimulatedSettings& s) {
  PatternGeometry g;
  g.x0 = s[kSetRoiX0];
  g.y0 = s[kSetRoiY0];
  g.width = s[kSetRoiWidth];
  g.height = s[kSetRoiHeight];
  g.depth = s[kSetPixelDepth];
  g.bitWindow = s[kSetBitWindow];
  return g;
}

void WriteSettingsBlock(const SimulatedSettings& s, CameraSettingsBlock& block) {
  auto* bytes = reinterpret_cast<std::uint8_t*>(&block);
  std::memset(bytes + kMarkerOffset, 0, kSettingsBlockBytes - kMarkerOffset);
  std::memcpy(bytes + kMarkerOffset, &kBlockMarker, 4);
  std::memcpy(bytes + kValuesOffset, s.values, sizeof s.values);
}

int CheckSettingsBlock(const CameraSettingsBlock* block) {
  if (!block || block->size != kSettingsBlockBytes) return kDrvBadArgument;
  std::uint32_t marker;
  std::memcpy(&marker, reinterpret_cast<const std::uint8_t*>(block) + kMarkerOffset, 4);
  return marker == kBlockMarker ? kDrvOk : kDrvBadArgument;
}

int ReadSettingsBlock(const CameraSettingsBlock& block, SimulatedSettings& s) {
  const int status = CheckSettingsBlock(&block);
  if (status != kDrvOk) return status;
  std::memcpy(s.values, reinterpret_cast<const std::uint8_t*>(&block) + kValuesOffset, sizeof s.values);
  return kDrvOk;
}

std::uint32_t GetBlockSetting(const CameraSettingsBlock& block, int id) {
  std::uint32_t value;
  std::memcpy(&value, reinterpret_cast<const std::uint8_t*>(&block) + kValuesOffset + 4 * id, 4);
  return value;
}

void SetBlockSetting(CameraSettingsBlock& block, int id, std::uint32_t value) {
  std::memcpy(reinterpret_cast<std::uint8_t*>(&block) + kValuesOffset + 4 * id, &value, 4);
}
