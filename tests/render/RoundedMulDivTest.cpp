// Tests of the rounded multiply-divide: rounding of halves, signs, refused results.
#include "render/RoundedMulDiv.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "tests/render/MulDivCases.h"

namespace {

TEST(RoundedMulDiv, FollowsTheMultiplyDivideRules) {
  for (const MulDivCase& c : kMulDivCases) {
    EXPECT_EQ(RoundedMulDiv(c.a, c.b, c.c), c.expected) << c.a << " x " << c.b << " / " << c.c;
  }
}

}  // namespace
