// The pace of the saving loop's progress display.
#include "export/ProgressPace.h"

#include <gtest/gtest.h>

TEST(ProgressPace, ShowsTheBarAtMostOncePerIntervalAndAlwaysTheLastFrame) {
  struct Step {
    std::uint32_t position, count;
    std::uint64_t nowMs;
    bool due;
  };
  // Shown at 1000 ms when the series started, 100 ms apart.
  const Step steps[] = {
      {1, 10, 1000, false},   // just shown
      {2, 10, 1099, false},
      {3, 10, 1100, true},    // a whole interval later
      {4, 10, 1150, false},   // counted from the last shown, not from the start
      {5, 10, 1199, false},
      {6, 10, 1200, true},
      {10, 10, 1201, true},   // the last frame always, so the bar ends full
  };
  ProgressPace pace(100, 1000);
  for (const Step& s : steps) EXPECT_EQ(pace.Due(s.position, s.count, s.nowMs), s.due) << s.position;
  ProgressPace single(100, 5);
  EXPECT_TRUE(single.Due(1, 1, 5)) << "a series of one frame";
}
