// PNG: grey or RGB, 8-bit samples or 16-bit ones scaled to full range with an sBIT chunk for 9 and
// 10 bits; deflate level 6.
#pragma once

#include "platform/pictolib/FrameWriter.h"

constexpr int kPngDeflateLevel = 6;

class PngWriter : public FrameWriter {
 public:
  explicit PngWriter(const FrameLayout& layout) : layout_(layout) {}
  int WriteFrame(OutputFile& out, const std::uint8_t* pixels) override;

 private:
  FrameLayout layout_;
};
