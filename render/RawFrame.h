// Layout of one frame as the camera delivers it: unpadded rows, top row first.
#pragma once

#include <cstdint>

// 1 byte up to 8 bits, 2 up to 16, 3 up to 24, 6 above (three 16-bit components).
constexpr std::uint32_t RawFrameBytesPerPixel(std::uint32_t depth) {
  return depth <= 8 ? 1 : depth <= 16 ? 2 : depth <= 24 ? 3 : 6;
}

// 64-bit so that a nonsensical geometry cannot wrap around to a small size.
constexpr std::uint64_t RawFrameRowBytes(std::uint32_t width, std::uint32_t depth) {
  return std::uint64_t{width} * RawFrameBytesPerPixel(depth);
}

constexpr std::uint64_t RawFrameBytes(std::uint32_t width, std::uint32_t height,
                                      std::uint32_t depth) {
  return RawFrameRowBytes(width, depth) * height;
}

// The depths the cameras deliver; any other cannot be displayed.
constexpr bool IsKnownPixelDepth(std::uint32_t depth) {
  return depth == 8 || depth == 9 || depth == 10 || depth == 24 || depth == 27 || depth == 30;
}
