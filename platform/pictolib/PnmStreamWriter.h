// Netpbm stream (type 13, .pnm): one binary PGM (grey) or PPM (colour) image per frame, concatenated.
#pragma once

#include "platform/pictolib/FrameWriter.h"

class PnmStreamWriter : public FrameWriter {
 public:
  explicit PnmStreamWriter(const FrameLayout& layout) : layout_(layout) {}
  int WriteFrame(OutputFile& out, const std::uint8_t* pixels) override;

 private:
  FrameLayout layout_;
};
