// The JPEG standard's example quantisation and Huffman tables and the zig-zag order.
#pragma once

#include <cstdint>

extern const std::uint8_t kJpegZigzag[64];             // zig-zag position -> natural index
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
