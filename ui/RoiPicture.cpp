// Builds the region editor's picture from the current frame, never reading or writing past either.
#include "ui/RoiPicture.h"

#include <cstring>
#include <algorithm>

#include "render/RawFrame.h"

namespace {

constexpr std::uint8_t kMidGrey = 128;
// Far beyond any sensor (256 MB holds 9k x 9k in colour): refused rather than attempted.
constexpr std::uint64_t kMostPictureBytes = std::uint64_t{1} << 28;

std::uint8_t Narrow(const std::uint8_t* word, unsigned shift) {
  std::uint16_t value;
  std::memcpy(&value, word, sizeof value);
  return static_cast<std::uint8_t>(value >> shift);
}

// One frame pixel into one picture pixel, by depth.
void CopyPixel(const std::uint8_t* source, std::uint32_t depth, std::uint8_t* target) {
  if (depth == 8) {
    target[0] = source[0];
  } else if (depth == 9 || depth == 10) {
    target[0] = Narrow(source, depth - 8);
  } else if (depth == 24) {
    std::memcpy(target, source, 3);
  } else {  // 27 and 30: three 16-bit components
    const unsigned shift = depth / 3 - 8;
    for (int c = 0; c < 3; ++c) target[c] = Narrow(source + 2 * c, shift);
  }
}

}  // namespace

std::vector<std::uint8_t> BuildRoiPicture(std::int32_t x0, std::int32_t y0,
                                          std::int32_t sensorWidth, std::int32_t sensorHeight,
                                          std::uint32_t depth, const RoiFrame& frame) {
  if (sensorWidth < 1 || sensorHeight < 1) return {};
  const std::uint32_t pixelBytes = RoiPictureBytesPerPixel(depth);
  const std::uint64_t row = (std::uint64_t{static_cast<std::uint32_t>(sensorWidth)} * pixelBytes + 3) & ~std::uint64_t{3};
  const std::uint64_t total = row * static_cast<std::uint32_t>(sensorHeight);
  if (total > kMostPictureBytes) return {};
  std::vector<std::uint8_t> picture;
  picture.assign(static_cast<std::size_t>(total), kMidGrey);
  if (!frame.pixels || !IsKnownPixelDepth(depth) || frame.width == 0) return picture;

  const std::uint64_t sourceRow = RawFrameRowBytes(frame.width, depth);
  const std::uint64_t wholeRows = frame.bytes / sourceRow;
  const std::uint64_t rows = wholeRows < frame.height ? wholeRows : frame.height;
  const std::uint32_t sourcePixel = RawFrameBytesPerPixel(depth);
  // Columns of the frame that fall on the sensor; the same for every row.
  const std::int64_t firstColumn = x0 < 0 ? -std::int64_t{x0} : 0;
  const std::int64_t endColumn =
      std::min<std::int64_t>(frame.width, std::int64_t{sensorWidth} - x0);
  for (std::uint64_t r = 0; r < rows; ++r) {
    const std::int64_t y = std::int64_t{y0} + static_cast<std::int64_t>(r);
    if (y < 0) continue;
    if (y >= sensorHeight) break;
    const std::uint8_t* source = frame.pixels + r * sourceRow;
    std::uint8_t* target = picture.data() + static_cast<std::uint64_t>(y) * row;
    for (std::int64_t c = firstColumn; c < endColumn; ++c) {
      CopyPixel(source + c * sourcePixel, depth, target + (x0 + c) * pixelBytes);
    }
  }
  return picture;
}
