// Checks that a conversion buffer that cannot be had leaves it empty, in either address space.
#include <gtest/gtest.h>

#include <cstdint>

#include "render/ConversionBuffer.h"

namespace {

TEST(ConversionBuffer, AnAllocationThatFailsLeavesItEmpty) {
  // Beyond what the buffer can describe in either build; in a 32-bit process also beyond what it
  // can ever map, so there the allocation itself fails.
  const std::uint64_t unobtainable[] = {std::uint64_t{1} << 32,
                                        sizeof(void*) == 4 ? 0xF0000000u : (std::uint64_t{1} << 40)};
  for (std::uint64_t bytes : unobtainable) {
    CConversionBuffer buffer;
    ASSERT_NE(buffer.Prepare(4096), nullptr);
    EXPECT_EQ(buffer.Prepare(bytes), nullptr) << bytes;
    EXPECT_EQ(buffer.Data(), nullptr);
    EXPECT_EQ(buffer.Capacity(), 0u);
    EXPECT_NE(buffer.Prepare(4096), nullptr);
  }
}

}  // namespace
