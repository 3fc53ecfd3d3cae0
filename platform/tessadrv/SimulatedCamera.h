// The simulator's state of one camera and of its recording into camera memory.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <thread>

#include "platform/tessadrv/RecordingPlan.h"
#include "platform/tessadrv/SimulatedSettings.h"
#include "platform/tessadrv/SimulatorConfig.h"
#include "platform/tessadrv/TessaSimulator.h"
#include "platform/tessadrv/TestPattern.h"

// Camera memory holds no pixels: what a slot contains follows from the recording's progress.
struct SimRecording {
  RecordingPlan plan;
  PatternGeometry geometry;            // of the frames as recorded
  std::uint64_t base = 0;              // address of slot 0
  std::uint32_t slotBytes = 0;         // setting 49: from one slot to the next
  std::uint32_t dataOffset = 0;        // from a slot's start to its frame: the header, if any
  std::uint32_t periodNs = 0;
  double timeScale = 1.0;
  TessaSimulator::Clock::time_point start;
  std::optional<std::uint64_t> softwareTrigger;  // frame at which it came
  std::optional<std::uint64_t> endedAt;          // frames recorded when the recording ended
  bool stopRequested = false;                    // ended by the caller: no callback
  bool threadDone = false;
  TessaRecordingDone callback = nullptr;
  TessaContext context = 0;
  std::thread thread;

  bool Active() const { return !endedAt; }
};

struct SimCamera {
  SimCameraConfig config;
  SimulatedSettings settings;
  int handle = 0;                 // 0 while closed
  std::uint64_t liveFrames = 0;   // number of the next live frame
  std::uint64_t goodGrabs = 0;
  TessaSimulator::Clock::time_point nextLiveDue;
  std::shared_ptr<SimRecording> recording;  // the last one; its slots stay readable
};

// Real time that `simulatedNs` of camera time take, limited so that time points never overflow.
TessaSimulator::Clock::duration RealDuration(double simulatedNs, double timeScale);
