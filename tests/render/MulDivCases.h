// Multiply-divide cases shared by the portable test and the comparison with the platform's MulDiv.
#pragma once

#include <cstdint>

struct MulDivCase {
  std::int32_t a, b, c, expected;
};

inline constexpr MulDivCase kMulDivCases[] = {
    {641, 50, 100, 321},     // 320.5: halves away from zero
    {480, 50, 100, 240},
    {-641, 50, 100, -321},
    {641, -50, 100, -321},
    {641, 50, -100, -321},
    {-641, -50, -100, -321},
    {-641, -50, 100, 321},
    {5, 1, 2, 3},
    {-5, 1, 2, -3},
    {7, 1, 4, 2},            // 1.75
    {5, 1, 4, 1},            // 1.25
    {1, 1, 3, 0},
    {2, 1, 3, 1},
    {0, 7, 3, 0},
    {1, 1, 0, -1},           // no divisor
    {0, 0, 0, -1},
    {INT32_MAX, 2, 1, -1},   // too large for 32 bits
    {INT32_MAX, -2, 1, -1},
    {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX},
    {INT32_MAX, 1, 1, INT32_MAX},
    {-INT32_MAX, 1, 1, -INT32_MAX},
    {INT32_MIN, 1, 2, INT32_MIN / 2},
    {INT32_MIN, 1, 1, -1},   // -2^31 is refused although it would fit
    {46341, 46341, 1, -1},   // the product passes 2^31
    {46341, 46341, 2, 1073744141},
    {1280, 58, 100, 742},
    {1024, 58, 100, 594},
};
