// Which frames a recording into camera memory takes, and which frame each memory slot holds.
#pragma once

#include <cstdint>
#include <optional>

// Frames are numbered from 0 at the start of the recording; frame k goes into slot k mod frames.
struct RecordingPlan {
  std::uint32_t frames = 0;       // M, the slots of the ring
  std::uint32_t preTrigger = 0;   // P, circular mode only
  bool circular = false;
  std::uint32_t triggerAfter = 0; // circular mode: external trigger at this frame; 0 = none
};

// kDrvOk, or kDrvBadArgument for no frames or, in circular mode, P >= M.
int CheckRecordingPlan(const RecordingPlan& plan);

// The trigger frame t: the earlier of the software trigger's frame and the external trigger.
std::optional<std::uint64_t> TriggerFrame(const RecordingPlan& plan,
                                          std::optional<std::uint64_t> softwareTriggerFrame);

// How many frames the recording takes in all: M in normal mode, t + M - P in circular mode once
// the trigger frame is known, nothing before.
std::optional<std::uint64_t> FramesToRecord(const RecordingPlan& plan, std::optional<std::uint64_t> trigger);

// The frame last written into `slot` after `recorded` frames, or nothing when none was.
std::optional<std::uint64_t> FrameInSlot(std::uint32_t frames, std::uint64_t recorded, std::uint32_t slot);
