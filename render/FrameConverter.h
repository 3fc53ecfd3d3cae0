// Turns a RawFrame into the bits and information block of a device-independent bitmap.
#pragma once

#include <cstddef>
#include <cstdint>

#include "render/ConversionBuffer.h"
#include "render/DibInfo.h"

enum ConvertStatus : int {
  kConvertOk = 0,
  kConvertBadGeometry = 1,    // no frame, or a width or height below 1
  kConvertUnknownDepth = 2,   // not one of the depths the cameras deliver
  kConvertFrameTooSmall = 3,  // the region needs more bytes than the frame buffer holds
  kConvertNoBuffer = 4,       // the conversion buffer could not be had; the frame is skipped
};

struct ZoomedSize {
  std::int32_t Width;
  std::int32_t Height;
};

// Destination size of a frame drawn at zoom percent, each side a rounded multiply-divide.
ZoomedSize ZoomFrameSize(std::int32_t width, std::int32_t height, std::int32_t zoomPercent);

class CFrameConverter {
 public:
  CFrameConverter();

  // Sets the depth of the frames to come and rebuilds header and grey palette for it.
  void Init(std::int32_t width, std::int32_t height, std::uint32_t depth);

  // Chooses the bits for one frame of frameBytes bytes and points the header at its geometry.
  // *bits is the frame itself when its rows already are bitmap rows, else the conversion buffer;
  // nullptr with a non-zero status when nothing may be drawn.
  int Convert(const std::uint8_t* frame, std::size_t frameBytes, std::int32_t width,
              std::int32_t height, const std::uint8_t** bits);

  const DibInfo& Info() const { return m_info; }
  std::uint32_t Depth() const { return m_depth; }
  const CConversionBuffer& Buffer() const { return m_buffer; }

 private:
  DibInfo m_info;
  CConversionBuffer m_buffer;
  std::uint32_t m_depth = 8;
};
