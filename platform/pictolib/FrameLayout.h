// Geometry of one RawFrame and the row conversions every encoder draws from.
#pragma once

#include "platform/pictolib/PictoTypes.h"

#include <cstddef>
#include <cstdint>

// Frames larger than this in either direction or in bytes are refused as absurd.
constexpr std::uint32_t kMaxFrameSide = 65535;
constexpr std::uint64_t kMaxFrameBytes = 1ull << 30;

struct FrameLayout {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t depth = 8;          // PixelDepth as delivered
  std::uint32_t channels = 1;       // 1 grey, 3 colour (blue, green, red in the RawFrame)
  std::uint32_t sampleBytes = 1;    // 1, or 2 for 16-bit words
  std::uint32_t sampleBits = 8;     // significant bits of one sample: 8, 9 or 10

  std::uint32_t PixelBytes() const { return channels * sampleBytes; }
  std::size_t RowBytes() const { return std::size_t(width) * PixelBytes(); }
  std::uint64_t FrameBytes() const { return std::uint64_t(RowBytes()) * height; }
  bool IsWide() const { return sampleBytes == 2; }
};

// Fills layout from info; kPictoOk, kPictoBadArgument or kPictoBadGeometry.
int DescribeFrame(const ImageInfo* info, FrameLayout& layout);

// How a converted row is laid out.
enum class RowOrder { Bgr, Rgb };

// Upper eight bits of every sample (saturated when a word carries bits above its depth),
// 1 or 3 bytes per pixel.
void RowTo8Bit(const FrameLayout& layout, const std::uint8_t* src, std::uint8_t* dst, RowOrder order);

// Upper eight bits as red, green, blue bytes; grey is spread to three equal components.
void RowToRgb24(const FrameLayout& layout, const std::uint8_t* src, std::uint8_t* dst);

// Samples kept whole as 16-bit words (8-bit samples are widened unchanged), 2 or 6 bytes per pixel.
void RowTo16Bit(const FrameLayout& layout, const std::uint8_t* src, std::uint8_t* dst, RowOrder order,
                bool bigEndian);

// Samples scaled to the whole 16-bit range by repeating their bits (1023 becomes 65535), as PNG
// wants them beside an sBIT chunk; big-endian words, red, green, blue. Wide layouts only.
void RowToFullScale16(const FrameLayout& layout, const std::uint8_t* src, std::uint8_t* dst);

// A row in its delivered form but with colour swapped to red, green, blue (TIFF, PNM, PNG).
void RowToRgbNative(const FrameLayout& layout, const std::uint8_t* src, std::uint8_t* dst, bool bigEndian);
