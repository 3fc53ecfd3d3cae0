// Turns a RawFrame into the bits and information block of a device-independent bitmap.
#include "render/FrameConverter.h"

#include <cstring>

#include "render/RawFrame.h"
#include "render/RoundedMulDiv.h"

namespace {

constexpr std::int32_t kFullSizePercent = 100;

// Bitmap rows are padded to whole 32-bit words.
constexpr std::uint64_t PaddedRowBytes(std::uint64_t rowBytes) {
  return (rowBytes + 3) & ~std::uint64_t{3};
}

// Depths below 24 are shown as 8-bit grey, the others as 24-bit colour.
constexpr std::uint32_t DisplayBytesPerPixel(std::uint32_t depth) { return depth < 24 ? 1 : 3; }

// How far a sample or colour component is shifted to keep its upper eight bits.
constexpr unsigned NarrowingShift(std::uint32_t depth) {
  return depth < 24 ? depth - 8 : depth / 3 - 8;
}

void CopyRows(const std::uint8_t* source, std::size_t sourceRow, std::uint8_t* target,
              std::size_t targetRow, std::int32_t height) {
  for (std::int32_t y = 0; y < height; ++y) {
    std::memcpy(target + y * targetRow, source + y * sourceRow, sourceRow);
  }
}

// Frames hold little-endian words, which both targets read as native ones: whole-word loads and
// a compile-time shift let the compiler vectorise the loop into shifts and packs.
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "frame words are little-endian; NarrowRow reads them in host order"
#endif
template <unsigned Shift>
void NarrowRow(const std::uint8_t* __restrict source, std::size_t words,
               std::uint8_t* __restrict target) {
  for (std::size_t i = 0; i < words; ++i) {
    std::uint16_t word;
    std::memcpy(&word, source + 2 * i, sizeof word);
    target[i] = static_cast<std::uint8_t>(word >> Shift);
  }
}

template <unsigned Shift>
void NarrowRows(const std::uint8_t* source, std::size_t wordsPerRow, std::uint8_t* target,
                std::size_t targetRow, std::int32_t height) {
  for (std::int32_t y = 0; y < height; ++y) {
    NarrowRow<Shift>(source + y * 2 * wordsPerRow, wordsPerRow, target + y * targetRow);
  }
}

}  // namespace

ZoomedSize ZoomFrameSize(std::int32_t width, std::int32_t height, std::int32_t zoomPercent) {
  return {RoundedMulDiv(width, zoomPercent, kFullSizePercent),
          RoundedMulDiv(height, zoomPercent, kFullSizePercent)};
}

CFrameConverter::CFrameConverter() { Init(0, 0, 8); }

void CFrameConverter::Init(std::int32_t width, std::int32_t height, std::uint32_t depth) {
  m_depth = depth;
  std::memset(&m_info, 0, sizeof m_info);
  DibHeader& header = m_info.Header;
  header.Size = sizeof(DibHeader);
  header.Width = width;
  header.Height = height;
  header.Planes = 1;
  header.BitCount = static_cast<std::uint16_t>(8 * DisplayBytesPerPixel(depth));
  header.Compression = kDibCompressionNone;
  const bool grey = DisplayBytesPerPixel(depth) == 1;
  header.ClrUsed = grey ? kDibPaletteEntries : 0;
  header.ClrImportant = header.ClrUsed;
  for (int i = 0; i < kDibPaletteEntries; ++i) {
    const auto level = static_cast<std::uint8_t>(i);
    m_info.Palette[i] = {level, level, level, 0};
  }
}

int CFrameConverter::Convert(const std::uint8_t* frame, std::size_t frameBytes,
                             std::int32_t width, std::int32_t height,
                             const std::uint8_t** bits) {
  *bits = nullptr;
  if (!frame || width < 1 || height < 1) return kConvertBadGeometry;
  if (!IsKnownPixelDepth(m_depth)) return kConvertUnknownDepth;
  const std::uint64_t sourceRow = RawFrameRowBytes(static_cast<std::uint32_t>(width), m_depth);
  if (sourceRow * static_cast<std::uint64_t>(height) > frameBytes) return kConvertFrameTooSmall;

  const std::uint64_t targetRow =
      PaddedRowBytes(std::uint64_t{static_cast<std::uint32_t>(width)} * DisplayBytesPerPixel(m_depth));
  const bool bytesAsDelivered = m_depth == 8 || m_depth == 24;
  const std::uint8_t* chosen = frame;
  // Aligned 8- and 24-bit rows already are bitmap rows: drawn straight from the frame buffer.
  if (!bytesAsDelivered || targetRow != sourceRow) {
    std::uint8_t* target = m_buffer.Prepare(targetRow * static_cast<std::uint64_t>(height));
    if (!target) return kConvertNoBuffer;
    // Both row lengths fit in size_t: the frame buffer holds a whole source row, and a target
    // row is at most three bytes longer than the source row or shorter than it.
    if (bytesAsDelivered) {
      CopyRows(frame, sourceRow, target, targetRow, height);
    } else if (NarrowingShift(m_depth) == 1) {
      NarrowRows<1>(frame, sourceRow / 2, target, targetRow, height);
    } else {
      NarrowRows<2>(frame, sourceRow / 2, target, targetRow, height);
    }
    chosen = target;
  }
  m_info.Header.Width = width;
  m_info.Header.Height = -height;
  *bits = chosen;
  return kConvertOk;
}
