// The JPEG standard's example quantisation and Huffman tables and the zig-zag order.
#pragma once

#include <cstdint>

// Zig-zag position to natural index; constant at compile time for the vector shuffles built from it.
inline constexpr std::uint8_t kJpegZigzag[64] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

extern const std::uint8_t kJpegLumaQuant[64];          // natural order
extern const std::uint8_t kJpegChromaQuant[64];        // natural order

struct JpegHuffmanTable {
  std::uint8_t counts[16];     // codes of length 1 to 16
  const std::uint8_t* values;
  int valueCount;
};

extern const JpegHuffmanTable kJpegLumaDc;
extern const JpegHuffmanTable kJpegLumaAc;
extern const JpegHuffmanTable kJpegChromaDc;
extern const JpegHuffmanTable kJpegChromaAc;
