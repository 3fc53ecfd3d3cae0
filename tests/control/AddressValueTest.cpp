// Script numbers to addresses: exact conversions only, for 32- and 64-bit pointers.
#include "platform/com/AddressValue.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(AddressValue, IntegersConvertOnlyWhereThePointerHoldsThem) {
  struct Case {
    std::int64_t value;
    unsigned bytes;
    bool ok;
    std::uint64_t address;
  };
  const Case cases[] = {
      {0x1000, 4, true, 0x1000},
      {-1, 4, true, 0xFFFFFFFF},                     // a script's signed long
      {-(std::int64_t{1} << 31), 4, true, 0x80000000},
      {-(std::int64_t{1} << 31) - 1, 4, false, 0},
      {0xFFFFFFFFll, 4, true, 0xFFFFFFFF},
      {0x100000000ll, 4, false, 0},                  // never cut to 32 bits
      {0x100000000ll, 8, true, 0x100000000},
      {-1, 8, false, 0},
  };
  for (const Case& c : cases) {
    std::uint64_t address = 0;
    EXPECT_EQ(AddressFromInteger(c.value, c.bytes, address), c.ok) << c.value << " " << c.bytes;
    if (c.ok) {
      EXPECT_EQ(address, c.address);
    }
  }
  std::uint64_t address = 0;
  EXPECT_FALSE(AddressFromUnsigned(0x100000000ull, 4, address));
  EXPECT_TRUE(AddressFromUnsigned(0xFFFFFFFFFFFFFFFFull, 8, address));
}

TEST(AddressValue, DoublesConvertWhenWholeAndInRange) {
  struct Case {
    double value;
    unsigned bytes;
    bool ok;
    std::uint64_t address;
  };
  const Case cases[] = {
      {4294967296.0, 8, true, 0x100000000},          // above 4 GiB, as VBScript carries it
      {4294967296.0, 4, false, 0},
      {4294967295.0, 4, true, 0xFFFFFFFF},
      {-2147483648.0, 4, true, 0x80000000},
      {-2147483649.0, 4, false, 0},
      {4294967296.5, 8, false, 0},
      {-1.0, 8, false, 0},
      {18446744073709551616.0, 8, false, 0},
      {1.0 / 0.0, 8, false, 0},
  };
  for (const Case& c : cases) {
    std::uint64_t address = 0;
    EXPECT_EQ(AddressFromDouble(c.value, c.bytes, address), c.ok) << c.value << " " << c.bytes;
    if (c.ok) {
      EXPECT_EQ(address, c.address);
    }
  }
}

}  // namespace
