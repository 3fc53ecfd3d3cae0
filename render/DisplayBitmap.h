// Draws RawFrames onto a device context, stretched to the zoom percent.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "render/FrameConverter.h"

// Draw's status when the frame was converted but nothing was drawn: the zoomed size is empty or
// negative (which would mirror the image), or the platform's stretch failed.
constexpr int kDrawNothingDrawn = 5;

class CDisplayBitmap {
 public:
  void Init(std::int32_t width, std::int32_t height, std::uint32_t depth) {
    m_converter.Init(width, height, depth);
  }

  // Draws the frame (frameBytes long) with its top-left corner at (x, y); 0 when drawn, else a
  // ConvertStatus or kDrawNothingDrawn.
  int Draw(HDC dc, int x, int y, std::int32_t zoomPercent, const std::uint8_t* frame,
           std::size_t frameBytes, std::int32_t width, std::int32_t height);

  const CFrameConverter& Converter() const { return m_converter; }

 private:
  CFrameConverter m_converter;
};
