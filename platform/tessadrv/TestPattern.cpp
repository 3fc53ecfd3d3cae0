// The simulated camera's test pattern: what every delivered frame holds, for the driver and for tests.
#include "platform/tessadrv/TestPattern.h"

#include <cstring>
#include <vector>

#include "camera/CameraIds.h"

namespace {

constexpr std::uint32_t kSampleMask = 1023;
constexpr std::uint32_t kComponentOffset[3] = {0, 341, 682};

bool IsColourDepth(std::uint32_t depth) { return depth > 16; }

// Bits per component as the camera delivers them.
std::uint32_t ComponentBits(std::uint32_t depth) { return IsColourDepth(depth) ? depth / 3 : depth; }

// Reduces a 10-bit sample to what the depth and bit window deliver.
std::uint32_t Deliver(std::uint32_t s, std::uint32_t depth, std::uint32_t bitWindow) {
  switch (ComponentBits(depth)) {
    case 10: return s;
    case 9: return s >> 1;
    default:
      return bitWindow == 2 ? (s & 255) : bitWindow == 1 ? ((s >> 1) & 255) : (s >> 2);
  }
}

void StoreComponent(std::uint8_t* p, std::uint32_t value, bool wide) {
  p[0] = static_cast<std::uint8_t>(value);
  if (wide) p[1] = static_cast<std::uint8_t>(value >> 8);
}

// One pixel for 10-bit sample s, in the frame's byte layout.
void StorePixel(std::uint8_t* p, std::uint32_t s, const PatternGeometry& g) {
  const bool wide = ComponentBits(g.depth) > 8;
  const std::uint32_t step = wide ? 2 : 1;
  const std::uint32_t components = IsColourDepth(g.depth) ? 3 : 1;
  for (std::uint32_t c = 0; c < components; ++c) {
    StoreComponent(p + c * step, Deliver((s + kComponentOffset[c]) & kSampleMask, g.depth, g.bitWindow),
                   wide);
  }
}

}  // namespace

std::uint32_t TestPatternSample(std::uint32_t sx, std::uint32_t sy, std::uint32_t n,
                                std::uint32_t depth, std::uint32_t bitWindow, std::uint32_t component) {
  const std::uint32_t c = IsColourDepth(depth) && component < 3 ? component : 0;
  const std::uint32_t s = (sx + 2 * sy + 4 * n + kComponentOffset[c]) % 1024;
  return Deliver(s, depth, bitWindow);
}

std::uint32_t TestPatternFullScale(std::uint32_t depth) {
  const std::uint32_t bits = ComponentBits(depth);
  return bits >= 10 ? 1023 : bits == 9 ? 511 : 255;
}

std::uint32_t TestPatternExpected(const PatternGeometry& g, std::uint32_t x, std::uint32_t y,
                                  std::uint32_t n, std::uint32_t component) {
  if (y == 0 && x < kFrameStampPixels) return (n >> x) & 1 ? TestPatternFullScale(g.depth) : 0;
  return TestPatternSample(g.x0 + x, g.y0 + y, n, g.depth, g.bitWindow, component);
}

std::size_t TestPatternFrameBytes(const PatternGeometry& g) {
  return static_cast<std::size_t>(g.width) * g.height * BytesPerPixel(g.depth);
}

// Along a row the sample rises by one per pixel and wraps at 1024, so every row is a window into
// one periodic strip of pixels. The strip is built once per frame; rows are then plain copies.
void FillTestPatternFrame(const PatternGeometry& g, std::uint32_t n, void* out) {
  if (g.width == 0 || g.height == 0) return;
  const std::size_t bpp = BytesPerPixel(g.depth);
  const std::size_t rowBytes = g.width * bpp;
  std::vector<std::uint8_t> strip((1024 + g.width) * bpp);
  for (std::uint32_t k = 0; k < 1024 + g.width; ++k) StorePixel(&strip[k * bpp], k & kSampleMask, g);

  auto* dst = static_cast<std::uint8_t*>(out);
  std::uint32_t rowStart = (g.x0 + 2 * g.y0 + 4 * n) & kSampleMask;
  for (std::uint32_t y = 0; y < g.height; ++y) {
    std::memcpy(dst + y * rowBytes, &strip[rowStart * bpp], rowBytes);
    rowStart = (rowStart + 2) & kSampleMask;
  }

  const std::uint32_t full = TestPatternFullScale(g.depth);
  const bool wide = ComponentBits(g.depth) > 8;
  const std::size_t components = IsColourDepth(g.depth) ? 3 : 1;
  const std::uint32_t stampPixels = g.width < kFrameStampPixels ? g.width : kFrameStampPixels;
  for (std::uint32_t x = 0; x < stampPixels; ++x) {
    const std::uint32_t value = (n >> x) & 1 ? full : 0;
    for (std::size_t c = 0; c < components; ++c) StoreComponent(dst + x * bpp + c * (wide ? 2 : 1), value, wide);
  }
}

std::uint32_t ReadFramePixel(const void* frame, const PatternGeometry& g, std::uint32_t x,
                             std::uint32_t y, std::uint32_t component) {
  const std::size_t bpp = BytesPerPixel(g.depth);
  const bool wide = ComponentBits(g.depth) > 8;
  const std::uint32_t c = IsColourDepth(g.depth) && component < 3 ? component : 0;
  const auto* p = static_cast<const std::uint8_t*>(frame) + (static_cast<std::size_t>(y) * g.width + x) * bpp +
                  c * (wide ? 2 : 1);
  return wide ? p[0] | (p[1] << 8) : p[0];
}

std::uint32_t ReadFrameStamp(const void* frame, const PatternGeometry& g) {
  const std::uint32_t stampPixels = g.width < kFrameStampPixels ? g.width : kFrameStampPixels;
  std::uint32_t n = 0;
  for (std::uint32_t x = 0; x < stampPixels; ++x) {
    if (g.height > 0 && ReadFramePixel(frame, g, x, 0, 0) != 0) n |= 1u << x;
  }
  return n;
}
