// Checks that the portable multiply-divide gives what the platform's MulDiv gives.
#include <gtest/gtest.h>
#include <windows.h>

#include "render/RoundedMulDiv.h"
#include "tests/render/MulDivCases.h"

namespace {

TEST(RoundedMulDiv, MatchesThePlatformMulDiv) {
  for (const MulDivCase& c : kMulDivCases) {
    EXPECT_EQ(RoundedMulDiv(c.a, c.b, c.c), MulDiv(c.a, c.b, c.c))
        << c.a << " x " << c.b << " / " << c.c;
  }
  // Every size and zoom the view can ask for, around the halves.
  for (int size = 1; size <= 2050; size += 7) {
    for (int zoom = 1; zoom <= 400; ++zoom) {
      ASSERT_EQ(RoundedMulDiv(size, zoom, 100), MulDiv(size, zoom, 100)) << size << " at " << zoom;
    }
  }
}

}  // namespace
