// Multiply-divide rounded to the nearest integer, with the platform's MulDiv rules.
#include "render/RoundedMulDiv.h"

#include <cstdlib>

std::int32_t RoundedMulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
  if (c == 0) return -1;
  const std::int64_t product = std::int64_t{a} * b;
  const bool negative = (product < 0) != (c < 0);
  // |product| is at most 2^62 and |c| at most 2^31, so neither the magnitudes nor the sum overflow.
  const std::int64_t magnitude = std::llabs(product);
  const std::int64_t divisor = std::llabs(std::int64_t{c});
  const std::int64_t quotient = (magnitude + divisor / 2) / divisor;
  // MulDiv refuses -2^31 as well, although it would fit.
  if (quotient > INT32_MAX) return -1;
  return static_cast<std::int32_t>(negative ? -quotient : quotient);
}
