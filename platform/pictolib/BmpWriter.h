// Windows bitmap: 8-bit grey with a palette or 24-bit colour, bottom-up rows padded to 32 bits.
#pragma once

#include "platform/pictolib/FrameWriter.h"

class BmpWriter : public FrameWriter {
 public:
  explicit BmpWriter(const FrameLayout& layout) : layout_(layout) {}
  int WriteFrame(OutputFile& out, const std::uint8_t* pixels) override;

 private:
  FrameLayout layout_;
};
