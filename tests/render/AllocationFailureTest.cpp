// Checks, in a 32-bit process, that a conversion buffer that cannot be had leaves it empty.
#include <gtest/gtest.h>

#include <cstdint>

#include "render/ConversionBuffer.h"

namespace {

TEST(ConversionBuffer, AnAllocationThatFailsLeavesItEmpty) {
  CConversionBuffer buffer;
  ASSERT_NE(buffer.Prepare(4096), nullptr);
  // More than a 32-bit process can ever map.
  EXPECT_EQ(buffer.Prepare(0xF0000000u), nullptr);
  EXPECT_EQ(buffer.Data(), nullptr);
  EXPECT_EQ(buffer.Capacity(), 0u);
  EXPECT_NE(buffer.Prepare(4096), nullptr);
}

}  // namespace
