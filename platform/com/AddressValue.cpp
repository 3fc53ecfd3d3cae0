// Exact conversions of script numbers to addresses.
#include "platform/com/AddressValue.h"

#include <cmath>

namespace {

constexpr double kTwoTo31 = 2147483648.0;
constexpr double kTwoTo32 = 4294967296.0;
constexpr double kTwoTo64 = 18446744073709551616.0;

}  // namespace

bool AddressFromInteger(std::int64_t value, unsigned pointerBytes, std::uint64_t& address) {
  if (pointerBytes == 4) {
    if (value < -(std::int64_t{1} << 31) || value > 0xFFFFFFFFll) return false;
    address = static_cast<std::uint32_t>(value);
    return true;
  }
  if (value < 0) return false;
  address = static_cast<std::uint64_t>(value);
  return true;
}

bool AddressFromUnsigned(std::uint64_t value, unsigned pointerBytes, std::uint64_t& address) {
  if (pointerBytes == 4 && value > 0xFFFFFFFFull) return false;
  address = value;
  return true;
}

bool AddressFromDouble(double value, unsigned pointerBytes, std::uint64_t& address) {
  if (!std::isfinite(value) || std::trunc(value) != value) return false;
  if (pointerBytes == 4) {
    if (value < -kTwoTo31 || value >= kTwoTo32) return false;
    return AddressFromInteger(static_cast<std::int64_t>(value), 4, address);
  }
  if (value < 0 || value >= kTwoTo64) return false;
  address = static_cast<std::uint64_t>(value);
  return true;
}
