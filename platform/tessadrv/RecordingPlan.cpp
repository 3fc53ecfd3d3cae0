// Which frames a recording into camera memory takes, and which frame each memory slot holds.
#include "platform/tessadrv/RecordingPlan.h"

#include "camera/TessaDriver.h"

int CheckRecordingPlan(const RecordingPlan& plan) {
  if (plan.frames == 0) return kDrvBadArgument;
  if (plan.circular && plan.preTrigger >= plan.frames) return kDrvBadArgument;
  return kDrvOk;
}

std::optional<std::uint64_t> TriggerFrame(const RecordingPlan& plan,
                                          std::optional<std::uint64_t> softwareTriggerFrame) {
  if (!plan.circular) return std::nullopt;
  std::optional<std::uint64_t> t = softwareTriggerFrame;
  if (plan.triggerAfter != 0 && (!t || plan.triggerAfter < *t)) t = plan.triggerAfter;
  return t;
}

std::optional<std::uint64_t> FramesToRecord(const RecordingPlan& plan, std::optional<std::uint64_t> trigger) {
  if (!plan.circular) return plan.frames;
  if (!trigger) return std::nullopt;
  return *trigger + plan.frames - plan.preTrigger;
}

std::optional<std::uint64_t> FrameInSlot(std::uint32_t frames, std::uint64_t recorded, std::uint32_t slot) {
  if (frames == 0 || slot >= frames || slot >= recorded) return std::nullopt;
  return slot + (recorded - 1 - slot) / frames * frames;
}
