// Tests of the conversion buffer: growth only, exact size, zeroed capacity, refused sizes.
#include "render/ConversionBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

bool AllZero(const std::uint8_t* data, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] != 0) return false;
  }
  return true;
}

TEST(ConversionBuffer, GrowsToExactlyTheSizeAskedAndOnlyGrows) {
  CConversionBuffer buffer;
  EXPECT_EQ(buffer.Data(), nullptr);
  EXPECT_EQ(buffer.Capacity(), 0u);

  std::uint8_t* first = buffer.Prepare(100);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(buffer.Capacity(), 100u);

  EXPECT_EQ(buffer.Prepare(60), first);
  EXPECT_EQ(buffer.Capacity(), 100u);
  EXPECT_EQ(buffer.Prepare(100), first);

  std::uint8_t* grown = buffer.Prepare(101);
  ASSERT_NE(grown, nullptr);
  EXPECT_EQ(buffer.Capacity(), 101u);
  EXPECT_EQ(buffer.Data(), grown);
}

TEST(ConversionBuffer, ZeroesItsWholeCapacityEachTime) {
  CConversionBuffer buffer;
  std::uint8_t* data = buffer.Prepare(64);
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(AllZero(data, 64));
  std::memset(data, 0xEE, 64);
  ASSERT_EQ(buffer.Prepare(8), data);
  EXPECT_TRUE(AllZero(data, 64));
}

TEST(ConversionBuffer, SizesBeyondThirtyTwoBitsAreRefusedAndLeaveItEmpty) {
  CConversionBuffer buffer;
  ASSERT_NE(buffer.Prepare(16), nullptr);
  EXPECT_EQ(buffer.Prepare(std::uint64_t{UINT32_MAX} + 1), nullptr);
  EXPECT_EQ(buffer.Data(), nullptr);
  EXPECT_EQ(buffer.Capacity(), 0u);
  // It recovers for the next frame that fits.
  EXPECT_NE(buffer.Prepare(16), nullptr);
  EXPECT_EQ(buffer.Capacity(), 16u);
}

}  // namespace
