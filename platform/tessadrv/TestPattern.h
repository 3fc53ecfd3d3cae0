// The simulated camera's test pattern: what every delivered frame holds, for the driver and for tests.
#pragma once

#include <cstddef>
#include <cstdint>

// One frame's place on the sensor and its sample format.
struct PatternGeometry {
  std::uint32_t x0 = 0;          // region origin in sensor coordinates
  std::uint32_t y0 = 0;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t depth = 8;       // 8, 9, 10 (monochrome) or 24, 27, 30 (colour)
  std::uint32_t bitWindow = 0;   // with 8 and 24 bits: 0 upper, 1 middle, 2 lower
};

// Pixels of the first row that carry the frame number, least significant bit first.
constexpr std::uint32_t kFrameStampPixels = 32;

// The delivered value of one component (0 blue, 1 green, 2 red; monochrome uses 0) at sensor
// position (sx, sy) of frame n, without the frame-number stamp.
std::uint32_t TestPatternSample(std::uint32_t sx, std::uint32_t sy, std::uint32_t n,
                                std::uint32_t depth, std::uint32_t bitWindow, std::uint32_t component);

// The same at region position (x, y), including the stamp in the first row.
std::uint32_t TestPatternExpected(const PatternGeometry& g, std::uint32_t x, std::uint32_t y,
                                  std::uint32_t n, std::uint32_t component);

// Largest delivered value at this depth: 255, 511 or 1023.
std::uint32_t TestPatternFullScale(std::uint32_t depth);

// Bytes of one frame: unpadded rows of 1, 2, 3 or 6 bytes per pixel.
std::size_t TestPatternFrameBytes(const PatternGeometry& g);

// Writes frame n in the raw frame layout (16-bit words little-endian, colour order blue, green,
// red) into `out`, which must hold TestPatternFrameBytes(g) bytes.
void FillTestPatternFrame(const PatternGeometry& g, std::uint32_t n, void* out);

// Reads one component of pixel (x, y) from a frame in the raw frame layout.
std::uint32_t ReadFramePixel(const void* frame, const PatternGeometry& g, std::uint32_t x,
                             std::uint32_t y, std::uint32_t component);

// The frame number a frame carries in its stamp (only the bits that fit the region's width).
std::uint32_t ReadFrameStamp(const void* frame, const PatternGeometry& g);
