// The simulated camera's settings: the values it runs with, their coupling, and the settings block.
#pragma once

#include <cstdint>

#include "camera/TessaDriver.h"
#include "platform/tessadrv/SimulatorConfig.h"
#include "platform/tessadrv/TestPattern.h"

// One value per setting id; ids the camera does not know stay 0.
struct SimulatedSettings {
  static constexpr int kIdCount = 69;
  std::uint32_t values[kIdCount] = {};

  std::uint32_t& operator[](int id) { return values[id]; }
  std::uint32_t operator[](int id) const { return values[id]; }
};

// Memory frames are rounded up to whole pages of camera memory.
constexpr std::uint32_t kMemoryPageBytes = 4096;
// Cameras that keep a frame table put a header page in front of every frame in memory, so the
// frame addresses are not plain multiples of the memory frame size.
constexpr std::uint32_t kFrameHeaderBytes = kMemoryPageBytes;
// The shortest frame period a region can reach, so that the exposure window never vanishes.
constexpr std::uint32_t kShortestPeriodNs = 2000;
// Exposures end at least this long before the frame period does.
constexpr std::uint32_t kExposureGapNs = 1000;

bool IsKnownSettingId(int id);

// The camera's state after power-on or reset: full sensor, shortest period, 1 ms exposure.
SimulatedSettings PowerOnSettings(const SimCameraConfig& camera);

// Checks a requested state and fills in the coupled values. Returns kDrvBadArgument, leaving
// `requested` as it was, when a value is one the camera cannot take.
int CoupleSettings(const SimCameraConfig& camera, SimulatedSettings& requested);

std::uint32_t MinimumPeriodNs(const SimCameraConfig& camera, std::uint32_t regionHeight);
// Setting 49: the frame rounded up to pages, plus the header on cameras that keep a frame table.
std::uint32_t MemoryFrameBytes(const SimCameraConfig& camera, std::uint32_t width, std::uint32_t height,
                               std::uint32_t depth);

// Region and sample format of the frames these settings deliver.
PatternGeometry FrameGeometry(const SimulatedSettings& s);

// The block: size word, a marker, then one 32-bit value per setting id.
void WriteSettingsBlock(const SimulatedSettings& s, CameraSettingsBlock& block);
// kDrvBadArgument when the block's size word or marker is wrong.
int ReadSettingsBlock(const CameraSettingsBlock& block, SimulatedSettings& s);
int CheckSettingsBlock(const CameraSettingsBlock* block);
// One value in a checked block; `id` must be a known setting id.
std::uint32_t GetBlockSetting(const CameraSettingsBlock& block, int id);
void SetBlockSetting(CameraSettingsBlock& block, int id, std::uint32_t value);
