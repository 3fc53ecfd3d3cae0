// PNG: grey or RGB, 8-bit samples or 16-bit ones scaled to full range with an sBIT chunk for 9 and
// 10 bits; deflate level 6. A description and a date go into tEXt chunks before the image data.
#pragma once

#include "platform/pictolib/FrameWriter.h"

constexpr int kPngDeflateLevel = 6;

class PngWriter : public FrameWriter {
 public:
  explicit PngWriter(const FrameLayout& layout) : layout_(layout) {}
  void Describe(const FrameText& text) override { text_ = text; }
  int WriteFrame(OutputFile& out, const std::uint8_t* pixels) override;

 private:
  FrameLayout layout_;
  FrameText text_;
};
