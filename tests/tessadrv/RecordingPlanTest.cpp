// Recording arithmetic: trigger frame, length, and which frame each memory slot holds.
#include "platform/tessadrv/RecordingPlan.h"

#include <gtest/gtest.h>

#include "camera/TessaDriver.h"

TEST(RecordingPlan, RefusesEmptyAndOverfullPreTrigger) {
  const struct { std::uint32_t frames, pre; bool circular; int status; } rows[] = {
      {0, 0, false, kDrvBadArgument}, {0, 0, true, kDrvBadArgument}, {10, 10, true, kDrvBadArgument},
      {10, 11, true, kDrvBadArgument}, {10, 9, true, kDrvOk}, {10, 10, false, kDrvOk}, {1, 0, true, kDrvOk}};
  for (const auto& r : rows) {
    EXPECT_EQ(CheckRecordingPlan(RecordingPlan{r.frames, r.pre, r.circular, 0}), r.status) << r.frames << "/" << r.pre;
  }
}

TEST(RecordingPlan, TriggerIsTheEarlierOfSoftwareAndExternal) {
  const RecordingPlan external{100, 10, true, 53};
  EXPECT_EQ(TriggerFrame(external, std::nullopt), 53u);
  EXPECT_EQ(TriggerFrame(external, 20), 20u);
  EXPECT_EQ(TriggerFrame(external, 80), 53u);
  const RecordingPlan softwareOnly{100, 10, true, 0};
  EXPECT_FALSE(TriggerFrame(softwareOnly, std::nullopt).has_value());
  EXPECT_EQ(TriggerFrame(softwareOnly, 0), 0u);
  EXPECT_FALSE(TriggerFrame(RecordingPlan{100, 10, false, 53}, 20).has_value());
}

TEST(RecordingPlan, LengthInBothModes) {
  EXPECT_EQ(FramesToRecord(RecordingPlan{100, 10, false, 0}, std::nullopt), 100u);
  EXPECT_EQ(FramesToRecord(RecordingPlan{100, 10, true, 53}, 53), 143u);
  EXPECT_EQ(FramesToRecord(RecordingPlan{100, 0, true, 0}, 0), 100u);
  EXPECT_FALSE(FramesToRecord(RecordingPlan{100, 10, true, 0}, std::nullopt).has_value());
}

TEST(RecordingPlan, SlotsHoldTheLastFrameWrittenIntoThem) {
  // M = 100, P = 10, trigger at 53: frames 0..142; the ring keeps 43..142.
  const struct { std::uint64_t recorded; std::uint32_t slot; std::int64_t frame; } rows[] = {
      {143, 0, 100}, {143, 42, 142}, {143, 43, 43}, {143, 99, 99}, {143, 53, 53},
      {0, 0, -1},    {1, 0, 0},      {1, 1, -1},    {100, 99, 99}, {101, 0, 100}, {101, 1, 1},
      {350, 49, 349}, {350, 50, 250}, {143, 100, -1}};
  for (const auto& r : rows) {
    const auto frame = FrameInSlot(100, r.recorded, r.slot);
    if (r.frame < 0) {
      EXPECT_FALSE(frame.has_value()) << r.recorded << " slot " << r.slot;
    } else {
      EXPECT_EQ(frame, static_cast<std::uint64_t>(r.frame)) << r.recorded << " slot " << r.slot;
    }
  }
}
