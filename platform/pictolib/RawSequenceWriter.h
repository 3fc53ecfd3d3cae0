// Multipage raw file (.mrf): a 48-byte header, then every RawFrame exactly as delivered.
#pragma once

#include "platform/pictolib/FrameWriter.h"

class RawSequenceWriter : public FrameWriter {
 public:
  explicit RawSequenceWriter(const SequenceParams& params) : params_(params) {}
  int WriteFrame(OutputFile& out, const std::uint8_t* pixels) override;

 private:
  SequenceParams params_;
};
