// The bitmap-information block handed to the platform as is: a 40-byte header and a grey palette.
#pragma once

#include <cstddef>
#include <cstdint>

// Same layout as the platform's BITMAPINFOHEADER, so the portable code can fill it.
struct DibHeader {
  std::uint32_t Size;
  std::int32_t Width;
  std::int32_t Height;  // negative: the first row is the top one
  std::uint16_t Planes;
  std::uint16_t BitCount;
  std::uint32_t Compression;
  std::uint32_t SizeImage;
  std::int32_t XPelsPerMeter;
  std::int32_t YPelsPerMeter;
  std::uint32_t ClrUsed;
  std::uint32_t ClrImportant;
};

// Same layout as the platform's RGBQUAD.
struct DibColor {
  std::uint8_t Blue;
  std::uint8_t Green;
  std::uint8_t Red;
  std::uint8_t Reserved;
};

constexpr std::uint32_t kDibCompressionNone = 0;
constexpr int kDibPaletteEntries = 256;

struct DibInfo {
  DibHeader Header;
  DibColor Palette[kDibPaletteEntries];
};

static_assert(sizeof(DibHeader) == 40, "the platform expects a 40-byte header");
static_assert(sizeof(DibColor) == 4, "palette entries are four bytes");
static_assert(offsetof(DibInfo, Palette) == sizeof(DibHeader),
              "the palette must follow the header directly");
static_assert(sizeof(DibInfo) == sizeof(DibHeader) + kDibPaletteEntries * sizeof(DibColor),
              "header and palette form one contiguous block");
