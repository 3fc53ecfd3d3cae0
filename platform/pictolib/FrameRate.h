// The movie frame rate as the exact fraction that AVI and QuickTime headers carry.
#pragma once

#include <cstdint>

struct RateFraction {
  std::uint32_t numerator = 0;    // frames ...
  std::uint32_t denominator = 1;  // ... per this many seconds
};

// Rates are kept to a thousandth of a frame per second; false for zero, negative, NaN or above 1e6.
bool ToRateFraction(float rate, RateFraction& fraction);
