// Multiply-divide rounded to the nearest integer, with the platform's MulDiv rules.
#pragma once

#include <cstdint>

// a × b ÷ c through a 64-bit product, halves rounded away from zero; -1 when c is 0 or the
// result does not fit in 32 bits.
std::int32_t RoundedMulDiv(std::int32_t a, std::int32_t b, std::int32_t c);
