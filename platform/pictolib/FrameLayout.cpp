// Frame geometry checks and the conversions from RawFrame rows to encoder rows.
#include "platform/pictolib/FrameLayout.h"

#include "platform/pictolib/RowKernels.h"

#include <cstring>

namespace {

std::uint16_t Word(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }

void PutWord(std::uint8_t* p, std::uint16_t v, bool bigEndian) {
  p[bigEndian ? 1 : 0] = std::uint8_t(v);
  p[bigEndian ? 0 : 1] = std::uint8_t(v >> 8);
}

std::uint8_t Upper8(std::uint16_t v, unsigned shift) {
  const unsigned r = v >> shift;
  return std::uint8_t(r > 255 ? 255 : r);
}

}  // namespace

int DescribeFrame(const ImageInfo* info, FrameLayout& layout) {
  if (info == nullptr || info->Size != sizeof(ImageInfo)) return kPictoBadArgument;
  FrameLayout l;
  l.width = info->Width;
  l.height = info->Height;
  l.depth = info->PixelDepth;
  switch (l.depth) {
    case 8: break;
    case 9: case 10: l.sampleBytes = 2; l.sampleBits = l.depth; break;
    case 24: l.channels = 3; break;
    case 27: case 30: l.channels = 3; l.sampleBytes = 2; l.sampleBits = l.depth / 3; break;
    default: return kPictoBadGeometry;
  }
  if (l.width == 0 || l.height == 0 || l.width > kMaxFrameSide || l.height > kMaxFrameSide ||
      l.FrameBytes() > kMaxFrameBytes)
    return kPictoBadGeometry;
  layout = l;
  return kPictoOk;
}

void RowTo8Bit(const FrameLayout& layout, const std::uint8_t* src, std::uint8_t* dst, RowOrder order) {
  const std::uint32_t w = layout.width;
  const bool swap = layout.channels == 3 && order == RowOrder::Rgb;
  if (!layout.IsWide()) {
    if (!swap) {
      std::memcpy(dst, src, layout.RowBytes());
      return;
    }
    SwapOuterBytes24(src, dst, w);
    return;
  }
  const unsigned shift = layout.sampleBits - 8;
  if (layout.channels == 1 || !swap) {
    NarrowWords(src, dst, std::size_t(w) * layout.channels, shift);
    return;
  }
  for (std::uint32_t x = 0; x < w; ++x, src += 6, dst += 3) {
    dst[0] = Upper8(Word(src + 4), shift);
    dst[1] = Upper8(Word(src + 2), shift);
    dst[2] = Upper8(Word(src), shift);
  }
}

void RowToRgb24(const FrameLayout& layout, const std::uint8_t* src, std::uint8_t* dst) {
  if (layout.channels == 3) {
    RowTo8Bit(layout, src, dst, RowOrder::Rgb);
    return;
  }
  if (layout.IsWide()) {
    NarrowGreyWordsToRgb24(src, dst, layout.width, layout.sampleBits - 8);
  } else {
    SpreadGreyToRgb24(src, dst, layout.width);
  }
}

void RowTo16Bit(const FrameLayout& layout, const std::uint8_t* src, std::uint8_t* dst, RowOrder order,
                bool bigEndian) {
  const std::uint32_t w = layout.width;
  if (!layout.IsWide()) {
    const std::size_t samples = std::size_t(w) * layout.channels;
    const bool swap = layout.channels == 3 && order == RowOrder::Rgb;
    for (std::size_t i = 0; i < samples; ++i) PutWord(dst + 2 * i, src[swap ? i - i % 3 + 2 - i % 3 : i], bigEndian);
    return;
  }
  if (layout.channels == 1 || order == RowOrder::Bgr) {
    const std::size_t samples = std::size_t(w) * layout.channels;
    if (!bigEndian) {
      std::memcpy(dst, src, 2 * samples);
      return;
    }
    for (std::size_t i = 0; i < samples; ++i) {
      dst[2 * i] = src[2 * i + 1];
      dst[2 * i + 1] = src[2 * i];
    }
    return;
  }
  for (std::uint32_t x = 0; x < w; ++x, src += 6, dst += 6) {
    PutWord(dst, Word(src + 4), bigEndian);
    PutWord(dst + 2, Word(src + 2), bigEndian);
    PutWord(dst + 4, Word(src), bigEndian);
  }
}

// Left bit replication: v << (16 - b) | v >> (2b - 16) keeps every bit, so a reader shifting
// right by 16 - b (libpng's sBIT recovery) gets v back exactly, and 2^b - 1 becomes 65535.
void RowToFullScale16(const FrameLayout& layout, const std::uint8_t* src, std::uint8_t* dst) {
  const unsigned bits = layout.sampleBits, top = (1u << bits) - 1;
  const unsigned up = 16 - bits, down = 2 * bits - 16;
  const std::size_t samples = std::size_t(layout.width) * layout.channels;
  for (std::size_t i = 0; i < samples; ++i) {
    // Colour rows arrive blue, green, red: take the samples of each pixel in reverse.
    const std::size_t from = layout.channels == 3 ? i - i % 3 + 2 - i % 3 : i;
    unsigned v = Word(src + 2 * from);
    if (v > top) v = top;
    PutWord(dst + 2 * i, std::uint16_t(v << up | v >> down), true);
  }
}

void RowToRgbNative(const FrameLayout& layout, const std::uint8_t* src, std::uint8_t* dst, bool bigEndian) {
  if (layout.IsWide()) {
    RowTo16Bit(layout, src, dst, RowOrder::Rgb, bigEndian);
  } else {
    RowTo8Bit(layout, src, dst, RowOrder::Rgb);
  }
}
