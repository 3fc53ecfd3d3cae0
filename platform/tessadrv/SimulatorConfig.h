// What the simulated driver offers: its cameras and their behaviour, from INI text or the default.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SimCameraConfig {
  std::int32_t id = 1;
  std::int32_t model = 3;
  std::uint32_t variant = 0;
  std::uint32_t subType = 0;
  std::uint32_t serial = 1234567890;
  std::uint32_t color = 0;
  std::uint32_t link = 0;                // 0 USB 2.0, 1 GigaBit, 2 CameraLink
  std::uint32_t family = 0x01;           // enumeration bit
  std::uint32_t sensorWidth = 1280;
  std::uint32_t sensorHeight = 1024;
  std::uint64_t memoryBytes = 4096ull << 20;
  std::uint64_t recordBase = 0;
  std::uint32_t minPeriodNs = 1000000;   // at the full sensor height
  std::uint32_t liveWhileRecording = 1;
  std::uint32_t frameTableMode = 0;
  std::uint32_t triggerAfter = 0;        // circular mode: external trigger after this many frames
  bool failOpen = false;
  bool failInitSettings = false;
  bool failApply = false;
  std::int32_t grabError = 0;            // status of live grabs after grabErrorAfter good ones
  std::uint32_t grabErrorAfter = 0;
  bool grabStall = false;
  std::int64_t failReadSlot = -1;        // frame reads of this memory slot fail with status 3
};

struct SimDriverConfig {
  double timeScale = 1.0;
  std::vector<SimCameraConfig> cameras;
  // Why the configuration describes no camera that could exist; empty when it is usable. A
  // refused configuration has no cameras.
  std::string refusal;
};

constexpr int kMaxSimCameras = 10;

// Enumeration family of a model on a link when the configuration names none.
std::uint32_t DefaultFamily(std::int32_t model, std::uint32_t link);

// Whether recorded frames of this camera are addressed through the frame table.
bool KeepsFrameTable(const SimCameraConfig& camera);

// One monochrome Kinetra E on USB 2.0.
SimDriverConfig DefaultDriverConfig();

// Missing or unusable values take their defaults; the text itself can be anything. Cameras no
// real driver could report (two with one id, a recording area beyond the 32-bit base address)
// refuse the whole configuration.
SimDriverConfig DriverConfigFromIni(const std::string& iniText);
