// The per-pixel passes that sit between a frame and the file: run once per row for every
// uncompressed type that cannot write the frame as it lies. They use SSSE3 where the processor
// has it (the 32-bit build cannot assume even SSE2), else plain loops; each reads and writes
// exactly the bytes its counts give.
#pragma once

#include <cstddef>
#include <cstdint>

// Three-byte pixels with their first and last bytes exchanged (blue, green, red to red, green, blue).
void SwapOuterBytes24(const std::uint8_t* src, std::uint8_t* dst, std::size_t pixels);

// Each grey byte three times.
void SpreadGreyToRgb24(const std::uint8_t* src, std::uint8_t* dst, std::size_t pixels);

// Little-endian words shifted right by shift (1 to 8) and saturated to a byte.
void NarrowWords(const std::uint8_t* src, std::uint8_t* dst, std::size_t words, unsigned shift);

// NarrowWords, each result three times.
void NarrowGreyWordsToRgb24(const std::uint8_t* src, std::uint8_t* dst, std::size_t words, unsigned shift);
