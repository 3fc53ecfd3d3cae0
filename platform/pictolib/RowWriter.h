// Writes a frame row by row through a conversion, top-down or bottom-up, with zeroed row padding.
#pragma once

#include "platform/pictolib/FrameLayout.h"
#include "platform/pictolib/OutputFile.h"

#include <cstdint>
#include <vector>

template <class Convert>
void WriteConvertedRows(OutputFile& out, const FrameLayout& layout, const std::uint8_t* pixels,
                        std::size_t outRowBytes, bool bottomUp, Convert convert) {
  std::vector<std::uint8_t> row(outRowBytes, 0);
  for (std::uint32_t i = 0; i < layout.height && !out.Failed(); ++i) {
    const std::uint32_t y = bottomUp ? layout.height - 1 - i : i;
    convert(pixels + std::size_t(y) * layout.RowBytes(), row.data());
    out.Write(row.data(), row.size());
  }
}
