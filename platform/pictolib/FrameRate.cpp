// Millihertz resolution, reduced: 5 fps becomes 5/1, 29.97 fps becomes 2997/100.
#include "platform/pictolib/FrameRate.h"

#include <cmath>

bool ToRateFraction(float rate, RateFraction& fraction) {
  if (!(rate > 0.0f) || !(rate <= 1e6f)) return false;
  std::uint32_t num = std::uint32_t(std::lround(double(rate) * 1000.0)), den = 1000;
  if (num == 0) return false;
  std::uint32_t a = num, b = den;
  while (b != 0) {
    const std::uint32_t t = a % b;
    a = b;
    b = t;
  }
  fraction.numerator = num / a;
  fraction.denominator = den / a;
  return true;
}
