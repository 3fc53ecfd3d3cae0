// Writes a frame row by row through a conversion, top-down or bottom-up, with zeroed row padding
// (the converter leaves the padding bytes alone).
#pragma once

#include "platform/pictolib/FrameLayout.h"
#include "platform/pictolib/OutputFile.h"

#include <cstdint>
#include <vector>

// Rows are converted into blocks of a large write: 2 MB blocks convert and write frames up to a
// third faster than 256 KB ones did; far larger blocks lose again, to the block's first touch in
// every file.
constexpr std::size_t kRowBlockBytes = kLargeWriteBytes;

template <class Convert>
void WriteConvertedRows(OutputFile& out, const FrameLayout& layout, const std::uint8_t* pixels,
                        std::size_t outRowBytes, bool bottomUp, Convert convert) {
  const std::uint32_t rowsPerBlock =
      std::uint32_t(outRowBytes >= kRowBlockBytes ? 1 : kRowBlockBytes / outRowBytes);
  std::uint8_t* block = out.ConversionBlock(std::size_t(rowsPerBlock) * outRowBytes);
  for (std::uint32_t first = 0; first < layout.height && !out.Failed(); first += rowsPerBlock) {
    const std::uint32_t rows = layout.height - first < rowsPerBlock ? layout.height - first : rowsPerBlock;
    for (std::uint32_t i = 0; i < rows; ++i) {
      const std::uint32_t y = bottomUp ? layout.height - 1 - (first + i) : first + i;
      convert(pixels + std::size_t(y) * layout.RowBytes(), block + std::size_t(i) * outRowBytes);
    }
    out.Write(block, std::size_t(rows) * outRowBytes);
  }
}

// Device-independent bitmap rows (BMP files, DIB movie frames): eight bits per sample in blue,
// green, red order, bottom-up, each padded to stride. Frames that already hold such rows and need
// no padding are handed over as they lie.
inline void WriteDibRows(OutputFile& out, const FrameLayout& layout, const std::uint8_t* pixels,
                         std::size_t stride) {
  if (!layout.IsWide() && stride == layout.RowBytes()) {
    const std::ptrdiff_t pitch = std::ptrdiff_t(stride);
    out.WriteRows(RowRun{pixels + std::ptrdiff_t(layout.height - 1) * pitch, -pitch, stride, layout.height});
    return;
  }
  WriteConvertedRows(out, layout, pixels, stride, true, [&layout](const std::uint8_t* src, std::uint8_t* dst) {
    RowTo8Bit(layout, src, dst, RowOrder::Bgr);
  });
}
