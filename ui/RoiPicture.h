// The region editor's sensor-sized picture: mid grey, with the current frame at the region's place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The frame as the camera delivered it (rows unpadded, RawFrame layout) and the bytes it holds.
struct RoiFrame {
  const std::uint8_t* pixels = nullptr;
  std::size_t bytes = 0;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

// Bytes per picture pixel: grey below 24 bits, blue-green-red from 24.
constexpr std::uint32_t RoiPictureBytesPerPixel(std::uint32_t depth) { return depth < 24 ? 1 : 3; }

// A device-independent bitmap's rows, top-down and padded to four bytes, of sensorWidth x
// sensorHeight pixels. The frame lands at (x0, y0), cut at the sensor's edges and at its own
// byte count; 9- and 10-bit samples and 27- and 30-bit components keep their upper eight bits.
// Empty when the sensor size is not positive or the picture would be unreasonably large.
std::vector<std::uint8_t> BuildRoiPicture(std::int32_t x0, std::int32_t y0,
                                          std::int32_t sensorWidth, std::int32_t sensorHeight,
                                          std::uint32_t depth, const RoiFrame& frame);
