// Loading a camera's selected colour table from the shared "_color.xsv" file.
#pragma once

#include <cstdint>

// Fills the caller's 18 words (coefficients in the first nine, 16.16 fixed point) and returns 1
// when a table was found; 0 otherwise, the buffer then holding the identity or what was read.
int LoadColorTable(std::int32_t* coefficients, std::uint32_t serial);
